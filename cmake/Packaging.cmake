# The Debian package: scripts/package.sh configures with
# -DTESSARYN_DEBIAN_PACKAGE=ON -DCMAKE_INSTALL_PREFIX=/usr and runs CPack.
if(TESSARYN_DEBIAN_PACKAGE)
  # Debian's policy: the copyright file and a compressed changelog beside it.
  set(changelog_gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
  add_custom_command(OUTPUT ${changelog_gz}
    COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/changelog > ${changelog_gz}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)
  add_custom_target(debian_changelog ALL DEPENDS ${changelog_gz})
  install(FILES packaging/copyright ${changelog_gz} DESTINATION ${TESSARYN_DOCDIR})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaryn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tessaryn developers <tessaryn@tessaryn.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The synopsis is the project's DESCRIPTION; CPack indents these lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tessaryn draws a month calendar and lays it onto the picture the desktop
shows as its wallpaper: pick a month and a year, one font and the colours
of the title, Sundays, Saturdays and weekdays, and drag the calendar to its
place. The finished picture becomes the wallpaper of GNOME, Cinnamon, MATE,
Xfce, KDE Plasma, LXQt, LXDE, sway, Hyprland, feh, nitrogen or xwallpaper.

tessaryn-reg looks into and seeds the program's registry hive.")
# The libraries the programs link come from dpkg-shlibdeps; what it cannot
# see is named here: the image formats Qt loads as plugins (wallpapers in
# WebP, TIFF, SVG, ...) and the fonts that stand in for the Windows faces.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Debian 12 keeps the SVG plugin in libqt6svg6 and has no JPEG XL or AVIF
# plugin for Qt 6; Debian 13 and unstable (no VERSION_ID) name them as below.
file(STRINGS /etc/os-release debian_release REGEX "^VERSION_ID=")
if(debian_release MATCHES "\"12\"")
  set(image_plugins "libqt6svg6")
else()
  set(image_plugins "qt6-svg-plugins, kimageformat6-plugins")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-image-formats-plugins, ${image_plugins}, fonts-ipafont-gothic, fonts-liberation")
# The desktops' own tools the wallpaper is set with, and more faces.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libglib2.0-bin, dconf-gsettings-backend, xfconf, libxfconf-0-3, x11-xserver-utils, x11-utils, fonts-noto-cjk, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "feh | nitrogen | xwallpaper")
# Files under /etc are the administrator's: dpkg keeps their changes.
include(GNUInstallDirs)
set(conffiles ${CMAKE_CURRENT_BINARY_DIR}/conffiles)
file(WRITE ${conffiles} "/etc/xdg/autostart/tessaryn-refresh.desktop\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${conffiles})
include(CPack)
