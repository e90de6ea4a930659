# What `cmake --install` puts under the prefix: the two programs, their man
# pages, the desktop entry with its icons, the AppStream metadata and the
# licence.
install(TARGETS tessaryn tessaryn-reg RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/tessaryn.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/org.tessaryn.Tessaryn.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/icons/tessaryn.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES data/icons/${size}/tessaryn.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
# A Debian package carries the licence in its copyright file instead, and
# its man pages compressed.
option(TESSARYN_DEBIAN_PACKAGE "Install as a Debian package wants it" OFF)
if(TESSARYN_DEBIAN_PACKAGE)
  foreach(page tessaryn tessaryn-reg)
    set(gz ${CMAKE_CURRENT_BINARY_DIR}/${page}.1.gz)
    add_custom_command(OUTPUT ${gz}
      COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/man/${page}.1 > ${gz}
      DEPENDS ${PROJECT_SOURCE_DIR}/man/${page}.1 VERBATIM)
    list(APPEND man_gz ${gz})
  endforeach()
  add_custom_target(man_pages ALL DEPENDS ${man_gz})
  install(FILES ${man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  install(FILES man/tessaryn.1 man/tessaryn-reg.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES LICENSE DESTINATION ${TESSARYN_DOCDIR})
endif()
