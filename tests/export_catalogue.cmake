# The export run and its catalogue steps, end to end in temporary folders.
if(TARGET tht_export)
  tht_add_test(export_catalogue_test
    SOURCES export_run_test.cpp export_catalogue_test.cpp
    LIBRARIES tht_export)
endif()
