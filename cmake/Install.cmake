# What `cmake --install` puts under the prefix: the two programs, their man
# pages, the desktop entry with its icons, the AppStream metadata and the
# licence.
install(TARGETS tessaryn tessaryn-reg RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES man/tessaryn.1 man/tessaryn-reg.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES data/tessaryn.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/org.tessaryn.Tessaryn.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/icons/tessaryn.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES data/icons/${size}/tessaryn.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES LICENSE DESTINATION ${TESSARYN_DOCDIR})
