# Tables put on the disk when a step closes them, checked through this
# executable's own pwrite() and fsync().
if(NOT WIN32)
  tht_add_test(durability_test SOURCES durability_test.cpp LIBRARIES tht_export tht_tables)
endif()
