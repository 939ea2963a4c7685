# The window's shared decisions, on every system.
tht_add_test(app_logic_test SOURCES app_logic_test.cpp app_controller_test.cpp app_folder_browser_test.cpp
  LIBRARIES tht_app)
