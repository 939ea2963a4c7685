# The Windows window program under Wine on Xvfb, started by a test program
# that acts as the host.
add_executable(win32_window_test win32_window_test.cpp win32_window_report_test.cpp support/png_file.cpp
  support/windows_process.cpp support/x_screen.cpp)
target_link_libraries(win32_window_test PRIVATE tht_app tht_test_support GTest::gtest_main gdi32 user32)
target_compile_definitions(win32_window_test PRIVATE THT_BINARY_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(win32_window_test TransHoraventTEBA transhoraventteba-cli)
add_test(NAME win32_window_test
  COMMAND /bin/sh ${CMAKE_CURRENT_SOURCE_DIR}/support/wine-window-run ${THT_WINE_BITS} ${THT_WINE_PREFIX}
          $<TARGET_FILE:win32_window_test>)
# It makes and removes C:\HTEMP in the shared prefix.
set_tests_properties(win32_window_test PROPERTIES FIXTURES_REQUIRED wine_prefix RUN_SERIAL TRUE TIMEOUT 300)
