# Installing: the program folder in one place (lib/quorvel under the prefix), the commands
# quorvel and quorvel-render on the PATH as links into it, a desktop entry, the program icon
# in the hicolor theme and the renderer's man page. The install manifest lists every file and
# link, so cmake/QuorvelUninstall.cmake (make uninstall) removes them all again.

foreach(program Quorvel quorvel-render RX40dApp_x64)
    if(TARGET ${program})
        install(TARGETS ${program}
            RUNTIME DESTINATION ${QUORVEL_PROGRAM_INSTALL_DIR}
            LIBRARY DESTINATION ${QUORVEL_PROGRAM_INSTALL_DIR})
    endif()
endforeach()
# The manuals, when the build made them.
install(FILES ${QUORVEL_BIN_DIR}/Quorvel_en.pdf ${QUORVEL_BIN_DIR}/Quorvel_jp.pdf
    DESTINATION ${QUORVEL_PROGRAM_INSTALL_DIR} OPTIONAL)

# Commands on the PATH: links, so the programs still find their own folder.
foreach(link quorvel:Quorvel quorvel-render:quorvel-render)
    string(REPLACE ":" ";" pair ${link})
    list(GET pair 0 command)
    list(GET pair 1 program)
    if(TARGET ${program})
        install(CODE "
            set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${command}\")
            file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
            message(STATUS \"Installing: \${link}\")
            file(CREATE_LINK \"../${QUORVEL_PROGRAM_INSTALL_DIR}/${program}\" \"\${link}\" SYMBOLIC)
            list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${link}\")")
    endif()
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/resources/install/quorvel-render.1 DESTINATION share/man/man1)

if(TARGET Quorvel)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/install/quorvel.desktop DESTINATION share/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/quorvel.svg
        DESTINATION share/icons/hicolor/scalable/apps)

    # The icon theme's usual sizes, rendered from the SVG at build time.
    add_executable(quorvel-icon-gen ${CMAKE_SOURCE_DIR}/resources/install/QuorvelIconGen.cpp)
    target_link_libraries(quorvel-icon-gen PRIVATE Qt6::Gui Qt6::Svg)
    set_target_properties(quorvel-icon-gen PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
    set(icon_outputs)
    foreach(size 16 22 24 32 48 64 128 256)
        set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/quorvel.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
            COMMAND quorvel-icon-gen ${CMAKE_SOURCE_DIR}/resources/icons/quorvel.svg ${png} ${size}
            DEPENDS quorvel-icon-gen ${CMAKE_SOURCE_DIR}/resources/icons/quorvel.svg
            VERBATIM)
        list(APPEND icon_outputs ${png})
        install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps)
    endforeach()
    add_custom_target(quorvel-theme-icons ALL DEPENDS ${icon_outputs})
endif()

add_custom_target(uninstall
    COMMAND ${CMAKE_COMMAND} -DMANIFEST=${CMAKE_BINARY_DIR}/install_manifest.txt
        -P ${CMAKE_SOURCE_DIR}/cmake/QuorvelUninstall.cmake
    VERBATIM)
