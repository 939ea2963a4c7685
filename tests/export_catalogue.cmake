# The export run and its catalogue steps, end to end in temporary folders.
# They need the table engine to link.
if(TARGET tht_export AND TARGET tht_tables)
  tht_add_test(export_catalogue_test
    SOURCES export_run_test.cpp export_catalogue_test.cpp
    LIBRARIES tht_export)
endif()
