# `cmake --install build --prefix P`: the program and everything it finds beside itself go to
# P/lib/ventaro (it looks for its libraries, its audio module and its help in its own folder,
# which /proc/self/exe gives through any symbolic link); P/bin holds links to the two programs.
# Then the desktop's pieces: launcher entry, file types, icons and the tool's manual page.
include(GNUInstallDirs)
set(program_dir lib/ventaro)
set(desktop_src ${PROJECT_SOURCE_DIR}/src/resources/desktop)

install(TARGETS ventaro ventaro-tool RUNTIME DESTINATION ${program_dir})
install(TARGETS ventaro_audio LIBRARY DESTINATION ${program_dir})
install(FILES ${VENTARO_ENGINE_LIBRARY} DESTINATION ${program_dir})
# Without Csound at build time there is no template library; the program says so when asked.
install(FILES ${VENTARO_TEMPLATE_LIBRARY} DESTINATION ${program_dir} OPTIONAL)
install(DIRECTORY ${VENTARO_HELP_DIR}/ DESTINATION ${program_dir}/help)
install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bin}\")
    foreach(program ventaro ventaro-tool)
        file(RELATIVE_PATH target \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\"
             \"\${CMAKE_INSTALL_PREFIX}/${program_dir}/\${program}\")
        message(STATUS \"Installing: \${bin}/\${program} -> \${target}\")
        file(CREATE_LINK \"\${target}\" \"\${bin}/\${program}\" SYMBOLIC)
    endforeach()
")

install(FILES ${desktop_src}/ventaro.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_src}/ventaro-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ventaro.xml)
foreach(size ${VENTARO_ICON_SIZES})
    install(FILES ${VENTARO_ICON_DIR}/${size}x${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ventaro.png)
endforeach()
install(FILES ${desktop_src}/ventaro.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${desktop_src}/ventaro-tool.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
