# The installed tree as the desktop sees it, checked from outside after `cmake --install`.
add_test(NAME InstallTree
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install/InstallTest.sh ${CMAKE_BINARY_DIR}
                 ${VENTARO_ICON_SIZES})
set_tests_properties(InstallTree PROPERTIES LABELS gui TIMEOUT 180)
