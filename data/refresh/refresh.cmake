# Keeping the calendar current: the systemd user timer and service that run
# "tessaryn refresh" on the first of each month, and the autostart entry that
# runs it at login (for sessions without systemd, and the first login of a
# month). Included from the top-level CMakeLists.txt.
include(GNUInstallDirs)

set(TESSARYN_PROGRAM "${CMAKE_INSTALL_FULL_BINDIR}/tessaryn")
set(_refresh_dir "${CMAKE_CURRENT_LIST_DIR}")
configure_file(${_refresh_dir}/tessaryn-refresh.service.in
               ${CMAKE_BINARY_DIR}/data/refresh/tessaryn-refresh.service @ONLY)
configure_file(${_refresh_dir}/tessaryn-refresh.desktop.in
               ${CMAKE_BINARY_DIR}/data/refresh/tessaryn-refresh.desktop @ONLY)

install(FILES ${CMAKE_BINARY_DIR}/data/refresh/tessaryn-refresh.service
              ${_refresh_dir}/tessaryn-refresh.timer
        DESTINATION lib/systemd/user)
install(FILES ${CMAKE_BINARY_DIR}/data/refresh/tessaryn-refresh.desktop
        DESTINATION ${CMAKE_INSTALL_FULL_SYSCONFDIR}/xdg/autostart)
