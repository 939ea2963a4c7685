# The export run and its six steps, end to end in temporary folders.
tht_add_test(export_test
  SOURCES export_run_test.cpp export_catalogue_test.cpp export_sessions_test.cpp export_assignments_test.cpp
  POSIX_SOURCES export_run_posix_test.cpp export_assignments_posix_test.cpp export_catalogue_reader_test.cpp
                export_sample_test.cpp
  LIBRARIES tht_export)
