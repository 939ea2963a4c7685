# The command-line companion, as a library and as the program itself.
tht_add_test(cli_test SOURCES cli_test.cpp POSIX_SOURCES cli_program_test.cpp LIBRARIES tht_cli_lib)
target_compile_definitions(cli_test PRIVATE THT_CLI_PATH="$<TARGET_FILE:transhoraventteba-cli>")
add_dependencies(cli_test transhoraventteba-cli)

# The benchmark script at its smallest size, once, so that it keeps working;
# it times nothing that anyone checks.
if(NOT WIN32)
  add_test(NAME BenchRunSmoke
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/bench/run --sizes 1 --runs 1 --no-results --build ${CMAKE_BINARY_DIR})
endif()
