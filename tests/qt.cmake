# The Qt window on Qt's offscreen platform.
find_package(Qt6 REQUIRED COMPONENTS Gui Widgets Test)
tht_add_test(qt_window_test SOURCES qt_window_test.cpp qt_message_boxes_test.cpp LIBRARIES tht_qt Qt6::Test)

# The real program on an X server: Xvfb is started by the test itself.
find_package(X11 REQUIRED)
tht_add_test(qt_x11_test SOURCES qt_x11_test.cpp qt_x11_report_test.cpp LIBRARIES Qt6::Gui X11::X11 X11::Xtst)
target_compile_definitions(qt_x11_test PRIVATE THT_APP_PATH="$<TARGET_FILE:TransHoraventTEBA>"
                                               THT_CLI_PATH="$<TARGET_FILE:transhoraventteba-cli>"
                                               THT_BINARY_DIR="${CMAKE_CURRENT_BINARY_DIR}")
add_dependencies(qt_x11_test TransHoraventTEBA transhoraventteba-cli)
