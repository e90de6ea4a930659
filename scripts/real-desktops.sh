#!/usr/bin/env bash
# Runs inside the chroot scripts/test-desktops.sh stable|current makes: builds
# the project with the release's Qt (into /var/tmp/tessaryn-build, kept between
# runs) and runs each desktop's real test against the release's own programs.
# Prints the compiler's warning count and one line per desktop:
#   real DESKTOP VERSION: passed | failed: FIRST FAILURE | blocked: REASON
# Each test's output is kept in /var/tmp/tessaryn-real/DESKTOP.log.
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD=/var/tmp/tessaryn-build
LOGS=/var/tmp/tessaryn-real
TESTS=$BUILD/tests/system/desktop
mkdir -p "$LOGS"
. /etc/os-release
release="Debian ${VERSION_ID:-unstable} (${VERSION_CODENAME:-sid})"

# The build folder stays in the chroot: later runs rebuild only what changed.
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARYN_BENCHMARKS=OFF \
    >"$LOGS/configure.log" 2>&1 ||
    { tail -20 "$LOGS/configure.log"; exit 1; }
# The real-desktop tests and what they link only, and the program with the
# helpers its run on GNOME Shell needs (the rest is scripts/test.sh's).
# The warning count covers the files compiled in this run: all of them on
# the first run, what changed since on later ones.
targets=(desktop_xfce_real_test desktop_sway_test desktop_pcmanfm_test desktop_kde_real_test
    desktop_gnome_real_test tessaryn tessaryn-reg pixelprobe)
grep -q "^build desktop_hyprctl_real_test:" "$BUILD/build.ninja" &&
    targets+=(desktop_hyprctl_real_test hyprpaper-standin)
if ! cmake --build "$BUILD" -j2 --target "${targets[@]}" >"$LOGS/build.log" 2>&1; then
    tail -30 "$LOGS/build.log"
    echo "build failed on $release; see $LOGS/build.log"
    exit 1
fi
qt=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null | sed 's/^[0-9]*://; s/[-+~].*//')
echo "$release, Qt $qt: built with $(grep -c 'warning:' "$LOGS/build.log") compiler warnings"

# A package's upstream version, or nothing when it is not installed.
version() {
    dpkg-query -W -f='${Status} ${Version}' "$1" 2>/dev/null |
        awk '/install ok installed/ {print $4}' | sed 's/^[0-9]*://; s/[-+~].*//'
}
# real DESKTOP PACKAGE COMMAND...: runs the desktop's test, prints its line.
real() {
    local desktop=$1 package=$2
    shift 2
    local v log=$LOGS/$desktop.log
    v=$(version "$package")
    if [[ -z $v ]]; then
        echo "real $desktop: blocked: $package is not packaged for $release"
        return
    fi
    local status=0
    timeout 900 "$@" >"$log" 2>&1 || status=$?
    if [[ $status -eq 0 ]] && ! grep -q '\[  SKIPPED \]' "$log"; then
        echo "real $desktop $v: passed"
    else
        local why
        why=$(grep -m1 -E 'Failure|SKIPPED \]|FAIL' "$log" | cut -c1-160)
        echo "real $desktop $v: failed: ${why:-exit status $status} (see $log)"
    fi
}
blocked() {
    local v
    v=$(version "$2")
    echo "real $1${v:+ $v}: blocked: $3"
}

unprivileged=tests/system/desktop/run-unprivileged.sh
real xfce xfdesktop4 "$TESTS/desktop_xfce_real_test"
real sway sway env QT_QPA_PLATFORM=offscreen $unprivileged "$TESTS/desktop_sway_test"
if [[ -x $TESTS/desktop_hyprctl_real_test ]]; then
    real hyprctl hyprland env QT_QPA_PLATFORM=offscreen "$TESTS/desktop_hyprctl_real_test"
else
    blocked hyprctl hyprland "no hyprctl and hyprwire to build the hyprpaper stand-in against on $release"
fi
# hyprpaper is tried for real on sway's headless backend (as user 65534: sway
# refuses root); what stops it is the reason reported.
try_hyprpaper() {
    local home
    home=$(mktemp -d /tmp/tessaryn-hyprpaper.XXXXXX)
    chmod 777 "$home"
    setpriv --reuid=65534 --regid=65534 --clear-groups env -i PATH="$PATH" HOME="$home" \
        XDG_RUNTIME_DIR="$home" WLR_BACKENDS=headless WLR_RENDERER=pixman \
        WLR_LIBINPUT_NO_DEVICES=1 HYPRLAND_INSTANCE_SIGNATURE=tessaryn_1_1 bash -c '
        cd "$HOME" && : >sway.conf && { sway -c sway.conf >sway.log 2>&1 & }
        for i in $(seq 50); do [ -S wayland-1 ] && break; sleep 0.2; done
        mkdir -p .config/hypr && printf "wallpaper {\n monitor =\n path = %s\n}\n" \
            /usr/share/pixmaps/debian-logo.png >.config/hypr/hyprpaper.conf
        WAYLAND_DISPLAY=wayland-1 timeout 10 hyprpaper >hyprpaper.log 2>&1
        kill %1' >/dev/null 2>&1
    cp "$home/hyprpaper.log" "$LOGS/hyprpaper.log" 2>/dev/null
    rm -rf "$home"
    grep -m1 -E 'invalid version|Missing protocols|cannot start' "$LOGS/hyprpaper.log" |
        sed 's/\x1b\[[0-9;]*m//g' | cut -c1-120
}
if [[ -n $(version hyprpaper) ]]; then
    why=$(try_hyprpaper)
    blocked hyprpaper hyprpaper "on sway headless: ${why:-it did not stop, see $LOGS/hyprpaper.log}; Hyprland itself needs a GPU render node (\"CBackend::create() failed\"). The backend is driven through the real hyprctl against a stand-in instead"
else
    blocked hyprpaper hyprpaper "hyprpaper is not packaged for $release"
fi
real pcmanfm-qt pcmanfm-qt "$TESTS/desktop_pcmanfm_test" --gtest_filter='LxqtTest.*'
real plasma plasma-workspace "$TESTS/desktop_kde_real_test"
real gnome-shell gnome-shell $unprivileged "$TESTS/desktop_gnome_real_test"
# The placement on a tiled wallpaper, on the shell headless on Wayland.
real gnome-shell-tiled gnome-shell env TESSARYN="$BUILD/src/app/tessaryn" \
    TESSARYN_REG="$BUILD/src/app/tessaryn-reg" PIXELPROBE="$BUILD/tests/e2e/pixelprobe" \
    bash tests/e2e/desktop_gnome_tiled.sh
