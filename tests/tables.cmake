# The table engine: its own rules, damaged files, and other dBase readers
# and writers on the same files.
tht_add_test(tables_test
  SOURCES tables_test.cpp tables_damaged_test.cpp
  POSIX_SOURCES tables_killed_writer_test.cpp tables_interop_test.cpp
  LIBRARIES tht_tables)
