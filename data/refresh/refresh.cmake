# Keeping the calendar current: the systemd user timer and service that run
# "tessaryn refresh" on the first of each month, and the autostart entry that
# runs it at login (for sessions without systemd, and the first login of a
# month). Included from the top-level CMakeLists.txt. Where they go and the
# program they name follow the prefix given to cmake --install, so they are
# written at install time (RefreshInstall.cmake).
include(GNUInstallDirs)

install(CODE "
  set(TESSARYN_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(TESSARYN_REFRESH_SOURCE \"${CMAKE_CURRENT_LIST_DIR}\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/RefreshInstall.cmake\")
")
