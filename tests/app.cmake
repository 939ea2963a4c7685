# The window program: its rules, and the window on Qt's offscreen platform.
if(TARGET tht_app)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  tht_add_test(app_logic_test SOURCES app_logic_test.cpp LIBRARIES tht_app)
  tht_add_test(app_window_test SOURCES app_window_test.cpp LIBRARIES tht_app Qt6::Test)
endif()
