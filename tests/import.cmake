# The import run and the timetable file it writes.
tht_add_test(import_test
  SOURCES import_run_test.cpp import_sample_test.cpp
  POSIX_SOURCES import_run_posix_test.cpp import_external_test.cpp
  LIBRARIES tht_import tht_export)
