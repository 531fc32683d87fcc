# Qt tests of the program's windows, on the offscreen platform: each drives a window as a user
# would and checks what comes out of it. The screenshots are made by tools/screenshots.
# With DESKTOP the test runs on a private X server with a window manager instead.
function(ventaro_gui_test name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "DESKTOP" "" "")
    add_executable(${name} ${arg_UNPARSED_ARGUMENTS} app/GuiTestSupport.h)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ventaro_gui Qt6::Test)
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/app)
    ventaro_warnings(${name})
    # VENTARO_SPLASH_MS shortens the splash; the start tests show it for real.
    if(arg_DESKTOP)
        add_test(NAME ${name} COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/app/WithDesktop.sh
                                      $<TARGET_FILE:${name}>)
        set(platform "")
    else()
        add_test(NAME ${name} COMMAND ${name})
        set(platform "QT_QPA_PLATFORM=offscreen;")
    endif()
    set_tests_properties(${name} PROPERTIES LABELS gui TIMEOUT 120
                         ENVIRONMENT "${platform}VENTARO_SPLASH_MS=0")
endfunction()

ventaro_gui_test(frame_start_test app/FrameStartTest.cpp)
ventaro_gui_test(frame_window_test app/FrameWindowTest.cpp)
ventaro_gui_test(frame_dialogs_test app/FrameDialogsTest.cpp)
ventaro_gui_test(engine_dialogs_test engine/EngineDialogsTest.cpp)
ventaro_gui_test(script_editor_window_test scripts/ScriptEditorWindowTest.cpp)
ventaro_gui_test(project_windows_test project/ProjectWindowsTest.cpp)
ventaro_gui_test(panel_window_test panel/PanelWindowTest.cpp)
ventaro_gui_test(project_manager_window_test project/ProjectManagerWindowTest.cpp)
ventaro_gui_test(midi_scope_window_test tools/MidiScopeWindowTest.cpp)
ventaro_gui_test(midi_send_windows_test tools/MidiSendWindowsTest.cpp)
ventaro_gui_test(scratchpad_window_test tools/ScratchPadWindowTest.cpp)
ventaro_gui_test(gesture_window_test tools/GestureWindowTest.cpp)
# The test drives a virtual joystick through SDL itself; the program loads the same library.
target_link_libraries(gesture_window_test PRIVATE PkgConfig::SDL2)
ventaro_gui_test(desktop_test DESKTOP app/DesktopTest.cpp)
# The engine library the build makes, for the dialogs' test.
add_dependencies(engine_dialogs_test ventaro_engine_library)
target_compile_definitions(engine_dialogs_test PRIVATE
                           VENTARO_ENGINE_LIBRARY="${VENTARO_ENGINE_LIBRARY}"
                           VENTARO_EMBEDDED_ENGINE="${VENTARO_EMBEDDED_ENGINE}")
if(TARGET ventaro_templates)
    add_dependencies(project_windows_test ventaro_templates) # renders the built library
endif()

# The program exports the nine noise functions; the audio libraries stay out of its start.
add_test(NAME ProgramExportsNoiseAndLoadsNoAudioLibraryAtStart
         COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DREADELF=${CMAKE_READELF}
                 -DPROGRAM=$<TARGET_FILE:ventaro> -P ${CMAKE_CURRENT_SOURCE_DIR}/CheckProgram.cmake)
set_tests_properties(ProgramExportsNoiseAndLoadsNoAudioLibraryAtStart PROPERTIES LABELS gui)
