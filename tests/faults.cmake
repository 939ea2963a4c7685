# Faults from outside, on the real command-line program and generated data.
if(NOT WIN32)
  add_executable(tht-peak-memory support/peak_memory.cpp)
  tht_add_test(faults_test SOURCES faults_test.cpp LIBRARIES tht_tables)
  target_compile_definitions(faults_test PRIVATE THT_CLI_PATH="$<TARGET_FILE:transhoraventteba-cli>"
                                                 THT_GEN_PATH="$<TARGET_FILE:tht-bench-gen>"
                                                 THT_PEAK_PATH="$<TARGET_FILE:tht-peak-memory>")
  add_dependencies(faults_test transhoraventteba-cli tht-bench-gen tht-peak-memory)
endif()

# Faults injected in-process, through this executable's own open() and read().
if(NOT WIN32)
  tht_add_test(faults_inject_test SOURCES faults_inject_test.cpp LIBRARIES tht_export tht_import)
endif()
