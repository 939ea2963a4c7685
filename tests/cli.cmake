# The command-line companion, as a library and as the program itself.
if(TARGET transhoraventteba-cli)
  tht_add_test(cli_test SOURCES cli_test.cpp LIBRARIES tht_cli_lib)
  target_compile_definitions(cli_test PRIVATE THT_CLI_PATH="$<TARGET_FILE:transhoraventteba-cli>")
  add_dependencies(cli_test transhoraventteba-cli)
endif()
