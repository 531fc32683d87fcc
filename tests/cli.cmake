# ventaro-tool is checked from outside: the exact output and exit code of the built program.
foreach(group noise slider midi usage project engine sysex morph)
    add_test(NAME VentaroTool.${group}
             COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cli/ToolTest.sh $<TARGET_FILE:ventaro-tool> ${group})
    set_tests_properties(VentaroTool.${group} PROPERTIES LABELS cli TIMEOUT 120)
endforeach()
