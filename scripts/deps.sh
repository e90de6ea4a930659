#!/usr/bin/env bash
# Installs the Debian 12 or 13 packages Tessaryn needs, when any is missing.
# Safe to run again: it does nothing when all are present.
#   deps.sh            build and run the program
#   deps.sh --test     also everything the tests drive
#   deps.sh --package  also what scripts/package.sh needs
# Packages are installed without their recommendations, so every package a
# tool really needs is named here, recommended ones included.
set -euo pipefail

# Compiler, build tools, Qt and SQLite; GoogleTest and Google Benchmark so the
# default configuration (tests and benchmarks on) works.
BUILD_PKGS=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libsqlite3-dev zlib1g-dev libxxhash-dev libxcb1-dev libxcb-randr0-dev
    qt6-tools-dev qt6-l10n-tools
    libgtest-dev libbenchmark-dev
)
# What the program loads at run time that linking does not pull in: image
# formats beyond PNG, BMP and JPEG, and SVG pictures. Debian 12 keeps Qt's SVG
# plugin in libqt6svg6 and has no Qt 6 plugin for JPEG XL and AVIF; Debian 13
# and unstable (no VERSION_ID) moved the SVG plugin to qt6-svg-plugins and
# read JPEG XL and AVIF through kimageformat6-plugins.
# Qt's own Japanese texts (its colour dialog, the command line parser).
RUN_PKGS=(qt6-image-formats-plugins qt6-translations-l10n)
if [[ "$(. /etc/os-release && echo "${VERSION_ID:-}")" == 12 ]]; then
    RUN_PKGS+=(libqt6svg6)
else
    RUN_PKGS+=(qt6-svg-plugins kimageformat6-plugins)
fi
# Fonts that stand in for the Windows faces the program ships with.
FONT_PKGS=(
    fonts-ipafont-gothic fonts-noto-cjk fonts-liberation fonts-dejavu-core
)
# What the tests drive: a virtual X server, real X input, screenshots.
TEST_X_PKGS=(
    xvfb xauth xdotool x11-utils imagemagick procps
)
# The desktops' own settings daemons and tools, on a private session bus.
# dconf-gsettings-backend and libxfconf-0-3 are only recommended by
# dconf-service and xfconf, but gsettings and xfconf-query need them.
TEST_DESKTOP_PKGS=(
    dbus dbus-x11
    gsettings-desktop-schemas dconf-service dconf-gsettings-backend dconf-cli libglib2.0-bin
    xfconf libxfconf-0-3
    cinnamon-desktop-data mate-desktop-common
    feh nitrogen xwallpaper
)
# Desktops run for real: LXDE's and LXQt's desktop shells under Xvfb, sway on
# its headless backend with grim for its screen; Qt's JavaScript engine runs
# the plasmashell stand-in's scripts.
TEST_SHELL_PKGS=(
    pcmanfm pcmanfm-qt sway swaybg grim qt6-declarative-dev
)
# The placement checked on a real GNOME Shell (the release's own, as the X11
# window manager, with python3-dbusmock playing logind on a private system
# bus), and under window managers that keep windows off their panels.
TEST_WM_PKGS=(
    gnome-shell python3-dbusmock
    xfwm4 xfce4-panel openbox lxpanel
)
# Two fonts the font dialog must leave out (a bitmap font, a font without
# Latin letters).
TEST_FONT_PKGS=(
    xfonts-base fonts-droid-fallback
)
# Families that fontconfig lists once per foundry, which the font dialog
# must list once.
TEST_FOUNDRY_FONT_PKGS=(
    fonts-urw-base35
)
# The install test: it validates the desktop file, the AppStream metadata and
# the man pages it installs.
TEST_INSTALL_PKGS=(
    desktop-file-utils appstream groff-base
)
# Debian 12's stock GNOME background (a background description naming SVG
# pictures per screen size) and xrandr for the screens of the placement runs.
TEST_PICTURE_PKGS=(
    desktop-base x11-xserver-utils
)
# The refresh timer's units are checked with systemd-analyze.
TEST_UNIT_PKGS=(
    systemd
)
# The month rule is checked on a faked clock.
TEST_CLOCK_PKGS=(
    faketime
)
# scripts/package.sh: CPack's dependency computation and the package check.
PACKAGE_PKGS=(
    dpkg-dev file lintian
)

want=("${BUILD_PKGS[@]}" "${RUN_PKGS[@]}" "${FONT_PKGS[@]}")
for arg in "$@"; do
    case "$arg" in
        --test) want+=("${TEST_X_PKGS[@]}" "${TEST_DESKTOP_PKGS[@]}" "${TEST_SHELL_PKGS[@]}" "${TEST_WM_PKGS[@]}" "${TEST_FONT_PKGS[@]}" "${TEST_FOUNDRY_FONT_PKGS[@]}"
                       "${TEST_INSTALL_PKGS[@]}" "${TEST_UNIT_PKGS[@]}" "${TEST_PICTURE_PKGS[@]}" "${TEST_CLOCK_PKGS[@]}") ;;
        --package) want+=("${PACKAGE_PKGS[@]}") ;;
        *) echo "deps.sh: unknown option: $arg (use --test or --package)" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${want[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

SUDO=()
if [[ $(id -u) -ne 0 ]]; then
    SUDO=(sudo)
fi
echo "Installing: ${missing[*]}"
# Another apt (an unattended upgrade, a second terminal) may hold the dpkg
# lock: wait up to five minutes for it instead of failing at once.
APT=(-o DPkg::Lock::Timeout=300)
"${SUDO[@]}" apt-get "${APT[@]}" update -qq
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get "${APT[@]}" install -y -qq --no-install-recommends "${missing[@]}"
