# Faults from outside, on the real command-line program and generated data.
if(TARGET transhoraventteba-cli AND TARGET tht-bench-gen)
  tht_add_test(faults_test SOURCES faults_test.cpp LIBRARIES tht_tables)
  target_compile_definitions(faults_test PRIVATE THT_CLI_PATH="$<TARGET_FILE:transhoraventteba-cli>"
                                                 THT_GEN_PATH="$<TARGET_FILE:tht-bench-gen>")
  add_dependencies(faults_test transhoraventteba-cli tht-bench-gen)
endif()
