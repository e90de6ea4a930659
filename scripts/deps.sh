#!/usr/bin/env bash
# Installs the Debian packages Tessaryn needs to build, run and test, when
# any is missing. Safe to run again: it does nothing when all are present.
set -euo pipefail

BUILD_PKGS=(build-essential cmake ninja-build pkg-config qt6-base-dev libsqlite3-dev
            libgtest-dev libbenchmark-dev)
# Fonts that stand in for the Windows faces the program ships with.
FONT_PKGS=(fonts-ipafont-gothic fonts-noto-cjk fonts-liberation fonts-dejavu-core)
# What the tests drive: a virtual X server, real X input, screenshots, a
# session bus and the desktops' own settings daemons and tools, two fonts
# the font dialog must leave out (a bitmap font, a font without Latin), and
# fonts that fontconfig lists once per foundry, which it must list once.
TEST_PKGS=(xvfb xauth xdotool x11-utils imagemagick procps dbus dbus-x11
           gsettings-desktop-schemas dconf-service dconf-cli libglib2.0-bin
           xfconf feh nitrogen xwallpaper cinnamon-desktop-data mate-desktop-common
           xfonts-base fonts-droid-fallback fonts-urw-base35)

want=("${BUILD_PKGS[@]}" "${FONT_PKGS[@]}")
if [[ "${1:-}" == "--test" ]]; then
    want+=("${TEST_PKGS[@]}")
fi

missing=()
for p in "${want[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

SUDO=""
if [[ $(id -u) -ne 0 ]]; then
    SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
