# What users install: on Linux the Debian package built from this build; on
# Windows the programs' version resource, icon and manifests, and the zip of
# the 32-bit programs.
if(WIN32)
  tht_add_test(packaging_resources_test SOURCES packaging_resources_test.cpp
    LIBRARIES tht_windows_test_support version)
  add_dependencies(packaging_resources_test TransHoraventTEBA transhoraventteba-cli)
  if(THT_WINE_BITS EQUAL 32)
    add_test(NAME packaging_zip_test
      COMMAND /bin/sh ${CMAKE_CURRENT_SOURCE_DIR}/packaging_zip_test.sh ${CMAKE_SOURCE_DIR}
              $<TARGET_FILE:TransHoraventTEBA> $<TARGET_FILE:transhoraventteba-cli>
              ${CMAKE_CURRENT_BINARY_DIR}/packaging-zip)
  endif()
elseif(THT_BUILD_GUI)
  add_test(NAME packaging_deb_test
    COMMAND /bin/sh ${CMAKE_CURRENT_SOURCE_DIR}/packaging_deb_test.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}
            ${CMAKE_CURRENT_BINARY_DIR}/packaging-deb)
  set_tests_properties(packaging_deb_test PROPERTIES TIMEOUT 120)
endif()
