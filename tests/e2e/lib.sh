# Shared by the end-to-end scripts: a private Xvfb, a private copy of the
# program (so its settings file lands in a temporary program directory),
# private XDG directories, and helpers to wait, click and look.
# Usage: source lib.sh; the caller sets TESSARYN (the built program),
# TESSARYN_REG and PIXELPROBE.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"

E2E_TMP=$(mktemp -d /tmp/tessaryn-e2e.XXXXXX)
export XDG_CONFIG_HOME="$E2E_TMP/config" XDG_DATA_HOME="$E2E_TMP/data"
export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
export TESSARYN_DESKTOP=none
# The program's own texts, whatever the language of the machine.
export LC_ALL=C.UTF-8
unset LANGUAGE
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
PROGRAM_DIR="$E2E_TMP/program"
mkdir -p "$PROGRAM_DIR"
cp "$TESSARYN" "$PROGRAM_DIR/tessaryn"
PROG_PID=""
XVFB_PID=""
DESKTOP_KEY='HKCU\Control Panel\desktop'
RECORD_KEY='HKCU\Software\Tessaryn\Composition'
reg_set() { "$TESSARYN_REG" add "$DESKTOP_KEY" /v "$1" /d "$2" /f >/dev/null; }
record_value() { "$TESSARYN_REG" query "$RECORD_KEY" /v "$1" | sed -n "s/^ *$1 *REG_SZ *//p"; }
# The commands as a timer runs them: without any display.
cli() { env -u DISPLAY -u WAYLAND_DISPLAY "$PROGRAM_DIR/tessaryn" "$@"; }
# A file's time, size and content, to tell whether it was rewritten.
stamp() { stat -c '%Y %s' "$1" && md5sum <"$1"; }
XVFB_EXTRA=("${XVFB_EXTRA[@]}")  # more Xvfb arguments, set before sourcing

# noisy_wallpaper_at_100_50: an 800x600 PNG with detail in every pixel
# ($WALL) becomes the wallpaper, untiled, its corner at OX, OY = 100, 50;
# OUT is where the finish writes.
noisy_wallpaper_at_100_50() {
    WALL="$E2E_TMP/wall.png"
    convert -size 800x600 gradient:'#305080-#a0c0e0' -attenuate 0.3 +noise Uniform -depth 8 \
        "PNG24:$WALL"
    reg_set Wallpaper "$WALL"
    reg_set WallpaperOriginX 100
    reg_set WallpaperOriginY 50
    reg_set TileWallpaper 0
    OUT="$XDG_DATA_HOME/tessaryn/Tessavel.bmp"
    OX=100 OY=50
}

# e2e_stragglers: the pids of processes still living on this run's private
# folders (a desktop's settings daemon that D-Bus started, a panel's plugin
# helper), which may write into them as they shut down.
e2e_stragglers() {
    local env pid
    for env in /proc/[0-9]*/environ; do
        pid=${env#/proc/}
        pid=${pid%/environ}
        [[ "$pid" == "$$" || "$pid" == "$BASHPID" ]] && continue
        grep -qzF "XDG_RUNTIME_DIR=$E2E_TMP/" "$env" 2>/dev/null && echo "$pid"
    done
    return 0
}

e2e_cleanup() {
    [[ -n "$PROG_PID" ]] && kill "$PROG_PID" 2>/dev/null || true
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null || true
    local left tries=0
    while left=$(e2e_stragglers) && [[ -n "$left" ]] && ((tries++ < 50)); do
        # shellcheck disable=SC2086
        kill $left 2>/dev/null || true
        sleep 0.1
    done
    if [[ -n "${E2E_KEEP:-}" ]]; then
        echo "kept $E2E_TMP"
    else
        rm -rf "$E2E_TMP"
    fi
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [[ -n "${DISPLAY:-}" ]] && import -window root "$E2E_TMP/failure.png" 2>/dev/null &&
        cp "$E2E_TMP/failure.png" "/tmp/tessaryn-e2e-failure-$$.png" &&
        echo "screenshot: /tmp/tessaryn-e2e-failure-$$.png" >&2
    exit 1
}

start_xvfb() {
    xvfb_start "${1:-1280x800x24}" "$E2E_TMP/xvfb.log" || fail "Xvfb did not start"
}

# start_program: starts the program and waits for its main window.
# our_windows REGEX: the program's visible windows whose title matches. Only
# its own: GNOME 48's window frames (mutter-x11-frames) carry the title too.
our_windows() {
    local w
    for w in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
        xprop -id "$w" WM_CLASS 2>/dev/null | grep -q '"Tessaryn"$' && echo "$w"
    done
    return 0
}

start_program() {
    "$PROGRAM_DIR/tessaryn" >"$E2E_TMP/program.log" 2>&1 &
    PROG_PID=$!
    MAIN_WIN=$(wait_window '^Tessaryn$') ||
        fail "main window did not appear; the program said: $(tail -5 "$E2E_TMP/program.log")"
    sleep 0.5  # first paint
}

# wait_window REGEX: prints the id of the first visible window whose name
# matches, waiting up to 10 s.
wait_window() {
    local id
    for _ in $(seq 100); do
        id=$(our_windows "$1" | head -n1 || true)
        if [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# placement_windows: the ids of the visible windows titled "Tessaryn" other
# than the main window: the placement window shares the program's title.
placement_windows() {
    our_windows '^Tessaryn$' | grep -vx "${MAIN_WIN:-}" || true
}

# placement_open: whether a placement window is showing.
placement_open() { [[ -n "$(placement_windows)" ]]; }

# placement_closes: waits up to 5 s for the placement window to go; false
# when it is still open.
placement_closes() {
    for _ in $(seq 50); do
        placement_open || return 0
        sleep 0.1
    done
    ! placement_open
}

# wait_placement: prints the id of the placement window, waiting up to 10 s.
wait_placement() {
    local id
    for _ in $(seq 100); do
        id=$(placement_windows | head -n1)
        if [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# window_geometry ID: prints "X Y W H" of the window's own area on the
# screen (xdotool adds a window manager's frame offset twice).
window_geometry() {
    xwininfo -id "$1" | awk -F: '
        /Absolute upper-left X/{x=$2} /Absolute upper-left Y/{y=$2}
        /^ *Width/{w=$2} /^ *Height/{h=$2} END{print x+0, y+0, w+0, h+0}'
}

shot() { import -window root "$E2E_TMP/$1.png" && echo "$E2E_TMP/$1.png"; }

# click_at X Y [BUTTON]. No --sync: it waits for a movement that never comes
# when the pointer already stands there.
click_at() { xdotool mousemove "$1" "$2" sleep 0.15 click "${3:-1}"; }

# wait_exit SECONDS: waits for the program to end and sets EXIT_STATUS.
# Fails when it is still running after SECONDS.
wait_exit() {
    local limit=$(( ${1:-10} * 10 ))
    local state
    for _ in $(seq "$limit"); do
        # An ended child stays a zombie until waited for; kill -0 still
        # reaches it, so look at its state.
        state=$(ps -o stat= -p "$PROG_PID" 2>/dev/null || true)
        if [[ -z "$state" || "$state" == Z* ]]; then
            EXIT_STATUS=0
            wait "$PROG_PID" || EXIT_STATUS=$?
            PROG_PID=""
            return 0
        fi
        sleep 0.1
    done
    return 1
}

count_colour() { "$PIXELPROBE" count "$@"; }

# masked_copies BEFORE AFTER BITMAP: AFTER with BEFORE's pixels put over each
# copy of the calendar's box ($px $py $pw $ph: its ink and the white title
# line above it) in a block of BITMAP's size repeated over the 1280x800
# screen; prints the file made. Away from the calendar it must be BEFORE.
masked_copies() {
    local bw bh x y box="$((pw + 24))x$((ph + 62))" masked="$E2E_TMP/tiled-masked.png"
    read -r bw bh < <("$PIXELPROBE" size "$3")
    cp "$2" "$masked"
    for ((y = (py - 50) % bh - bh; y < 800; y += bh)); do
        for ((x = (px - 12) % bw - bw; x < 1280; x += bw)); do
            convert "$masked" \( "$1" -crop "$box+$((x < 0 ? 0 : x))+$((y < 0 ? 0 : y))" +repage \) \
                -geometry "+$((x < 0 ? 0 : x))+$((y < 0 ? 0 : y))" -composite "$masked"
        done
    done
    echo "$masked"
}
