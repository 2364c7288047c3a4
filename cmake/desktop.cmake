# The program's place on the desktop, all under its application id: the menu entry, the
# icon in the hicolor theme, the .ssi file type (so a file manager opens a show with a
# double click), the software centres' description, and the manual page.
set(LUMIVANE_APP_ID org.lumivane.Lumivane)
set(desktop_source ${PROJECT_SOURCE_DIR}/resources/desktop)

# The releases of the description take their version from the project's.
configure_file(${desktop_source}/${LUMIVANE_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/${LUMIVANE_APP_ID}.metainfo.xml @ONLY)

install(FILES ${desktop_source}/${LUMIVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_source}/${LUMIVANE_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${PROJECT_BINARY_DIR}/${LUMIVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/man/lumivane.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Icons as the project has them: resources/icons/lumivane-<N>.png and lumivane.svg.
file(GLOB lumivane_icons ${PROJECT_SOURCE_DIR}/resources/icons/lumivane-*.png)
foreach(icon IN LISTS lumivane_icons)
  string(REGEX MATCH "lumivane-([0-9]+)\\.png$" matched ${icon})
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${CMAKE_MATCH_1}x${CMAKE_MATCH_1}/apps
          RENAME ${LUMIVANE_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/lumivane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${LUMIVANE_APP_ID}.svg)

# The desktop learns of the new file type and entry (skipped when staging into DESTDIR,
# as a package does: the system's own triggers update the databases then).
install(CODE [[
  if(NOT DEFINED ENV{DESTDIR} OR "$ENV{DESTDIR}" STREQUAL "")
    find_program(update_mime update-mime-database)
    find_program(update_desktop update-desktop-database)
    if(update_mime)
      execute_process(COMMAND ${update_mime} "${CMAKE_INSTALL_PREFIX}/share/mime" OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(update_desktop)
      execute_process(COMMAND ${update_desktop} "${CMAKE_INSTALL_PREFIX}/share/applications" OUTPUT_QUIET ERROR_QUIET)
    endif()
  endif()
]])
