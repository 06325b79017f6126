# What `cmake --install` delivers: the three programmes and, on Linux, what a desktop
# needs to offer them: the menu entry, the .graph file type, the icon and the software
# centre's metadata, all under one reverse-DNS id; the udev rule that lets the user at
# the seat open the meter; the manual pages and the package documents.
include(GNUInstallDirs)

install(TARGETS calorant calorant-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET calorant-meter-sim)
  install(TARGETS calorant-meter-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(NOT UNIX OR APPLE)
  return()
endif()

set(CALORANT_APP_ID org.calorant.Calorant)
set(app_res ${PROJECT_SOURCE_DIR}/res/app)
install(FILES ${app_res}/${CALORANT_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${app_res}/${CALORANT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${app_res}/calorant-graph.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME calorant.xml)
install(FILES ${app_res}/calorant.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${CALORANT_APP_ID}.svg)
# udev reads rules from lib/udev/rules.d under /usr and /usr/local alike; the multiarch
# library folder is no place for them.
install(FILES ${PROJECT_SOURCE_DIR}/res/udev/60-calorant.rules DESTINATION lib/udev/rules.d)

# Manual pages carry the project's version; they and the changelog are installed
# compressed, as man and Debian expect.
find_program(GZIP gzip REQUIRED)
set(compressed)
foreach(page calorant calorant-cli calorant-meter-sim)
  configure_file(${PROJECT_SOURCE_DIR}/res/man/${page}.1.in ${PROJECT_BINARY_DIR}/man/${page}.1
                 @ONLY)
  list(APPEND compressed ${PROJECT_BINARY_DIR}/man/${page}.1.gz)
  install(FILES ${PROJECT_BINARY_DIR}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/res/package/changelog ${PROJECT_BINARY_DIR}/doc/changelog
               COPYONLY)
list(APPEND compressed ${PROJECT_BINARY_DIR}/doc/changelog.gz)
foreach(file IN LISTS compressed)
  string(REGEX REPLACE "\\.gz$" "" source ${file})
  add_custom_command(OUTPUT ${file} COMMAND ${GZIP} -9 -n -k -f ${source} DEPENDS ${source}
                     VERBATIM)
endforeach()
add_custom_target(calorant_compressed_docs ALL DEPENDS ${compressed})
install(FILES ${PROJECT_SOURCE_DIR}/res/package/copyright ${PROJECT_BINARY_DIR}/doc/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/calorant)
