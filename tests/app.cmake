# The window's shared decisions, on every system.
if(TARGET tht_app)
  tht_add_test(app_logic_test SOURCES app_logic_test.cpp LIBRARIES tht_app)
endif()
if(NOT WIN32)
  tht_add_test(app_ini_test SOURCES app_ini_test.cpp LIBRARIES tht_platform)
endif()
# The Qt window on Qt's offscreen platform.
if(TARGET tht_qt)
  find_package(Qt6 REQUIRED COMPONENTS Gui Widgets Test)
  tht_add_test(app_window_test SOURCES app_window_test.cpp LIBRARIES tht_qt Qt6::Test)
endif()

# The real program on an X server: Xvfb is started by the test itself.
if(TARGET tht_qt)
  find_package(X11 REQUIRED)
  tht_add_test(app_x11_test SOURCES app_x11_test.cpp LIBRARIES Qt6::Gui X11::X11 X11::Xtst)
  target_compile_definitions(app_x11_test PRIVATE THT_APP_PATH="$<TARGET_FILE:TransHoraventTEBA>"
                                                  THT_BINARY_DIR="${CMAKE_CURRENT_BINARY_DIR}")
  add_dependencies(app_x11_test TransHoraventTEBA)
endif()

# The Windows window program under Wine on Xvfb, started by a test program
# that acts as the host.
if(WIN32 AND TARGET TransHoraventTEBA)
  add_executable(win32_window_test win32_window_test.cpp support/png_file.cpp support/windows_process.cpp)
  target_link_libraries(win32_window_test PRIVATE tht_test_support GTest::gtest_main gdi32 user32)
  target_compile_definitions(win32_window_test PRIVATE THT_BINARY_DIR="${CMAKE_BINARY_DIR}")
  add_dependencies(win32_window_test TransHoraventTEBA)
  add_test(NAME win32_window_test
    COMMAND /bin/sh ${CMAKE_CURRENT_SOURCE_DIR}/support/wine-window-run ${THT_WINE_BITS} ${THT_WINE_PREFIX}
            $<TARGET_FILE:win32_window_test>)
  # It makes and removes C:\HTEMP in the shared prefix.
  set_tests_properties(win32_window_test PROPERTIES FIXTURES_REQUIRED wine_prefix RUN_SERIAL TRUE TIMEOUT 300)
endif()
