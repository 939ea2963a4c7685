# Windows only: what Windows' sharing, letter case, drives and folders do to
# the real programs and the core, run under Wine; and the bundled sample
# school through the Windows program, against the Linux program's tables.

# Another process holding a file open, with a chosen access and sharing.
add_executable(tht-hold-file support/hold_file.cpp)
add_library(tht_windows_test_support STATIC support/windows_process.cpp)
target_link_libraries(tht_windows_test_support PUBLIC GTest::gtest)
target_compile_definitions(tht_windows_test_support PRIVATE THT_BINARY_DIR="${CMAKE_BINARY_DIR}")

tht_add_test(windows_test
  SOURCES windows_sharing_test.cpp windows_paths_test.cpp
  LIBRARIES tht_windows_test_support tht_export tht_import)
target_compile_definitions(windows_test PRIVATE THT_BINARY_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(windows_test transhoraventteba-cli tht-hold-file)

# The Linux program of the same sources, to compare with (scripts/windows
# passes build/cli/transhoraventteba-cli).
set(THT_LINUX_CLI "" CACHE FILEPATH "The Linux build's transhoraventteba-cli, for the sample comparison")
if(THT_LINUX_CLI)
  add_test(NAME SampleSchoolLikeLinux
    COMMAND /bin/sh ${CMAKE_CURRENT_SOURCE_DIR}/support/sample-like-linux ${THT_LINUX_CLI}
            $<TARGET_FILE:transhoraventteba-cli> ${CMAKE_SOURCE_DIR}/examples ${CMAKE_CURRENT_BINARY_DIR}/sample-like-linux
            ${THT_WINE_RUN})
  set_tests_properties(SampleSchoolLikeLinux PROPERTIES FIXTURES_REQUIRED wine_prefix)
endif()
