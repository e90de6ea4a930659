#!/usr/bin/env bash
# Opt-in tests against desktops too large for scripts/test.sh.
#   scripts/test-desktops.sh kde   installs Debian's plasmashell (plasma-workspace
#                                  and the plasma-desktop shell, about 400
#                                  packages) and runs the KDE backend against it
#                                  on a virtual X server and a private bus.
#   scripts/test-desktops.sh gnome installs what scripts/test.sh does (gnome-shell
#                                  among it) and runs tests/e2e/desktop_gnome.sh
#                                  alone (scripts/test.sh runs it too): the
#                                  placement on the release's own GNOME Shell.
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
kde)
    scripts/deps.sh --test
    if ! command -v plasmashell >/dev/null || [[ ! -d /usr/share/plasma/shells/org.kde.plasma.desktop ]]; then
        SUDO=""
        [[ $(id -u) -ne 0 ]] && SUDO="sudo"
        $SUDO apt-get -o DPkg::Lock::Timeout=300 update -qq
        $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 \
            install -y -qq --no-install-recommends \
            plasma-workspace plasma-desktop
    fi
    scripts/build.sh
    "${BUILD_DIR:-build}/tests/system/desktop/desktop_kde_real_test"
    ;;
gnome)
    scripts/deps.sh --test
    scripts/build.sh tessaryn tessaryn-reg pixelprobe
    build=$(cd "${BUILD_DIR:-build}" && pwd)
    TESSARYN="$build/src/app/tessaryn" TESSARYN_REG="$build/src/app/tessaryn-reg" \
        PIXELPROBE="$build/tests/e2e/pixelprobe" bash tests/e2e/desktop_gnome.sh
    ;;
*)
    echo "usage: $0 kde|gnome" >&2
    exit 2
    ;;
esac
