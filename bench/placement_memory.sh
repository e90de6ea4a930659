#!/usr/bin/env bash
# Peak memory of the real program through a whole placement on an 8K
# wallpaper (7680 x 4320), under a private Xvfb with real X input: open the
# placement window, drag the calendar, preview it, finish. Prints the peak
# resident size against the 250 MiB target. With --again a second run of the
# program places another calendar on the first one's output, which the finish
# composes on the kept original, and prints its own peak.
# Usage: bench/placement_memory.sh BUILD_DIR [--again]
# With PLACEMENT_OUTPUT_COPY set, the last Tessavel.bmp is copied there.
set -euo pipefail
BUILD=${1:-build}
AGAIN=${2:-}
tmp=$(mktemp -d)
XVFB_PID=""
PROG_PID=""
cleanup() {
    [[ -n "$PROG_PID" ]] && kill "$PROG_PID" 2>/dev/null || true
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
source "$(dirname "$0")/../tests/support/xvfb.sh"
xvfb_start 1920x1080x24 /dev/null || { echo "Xvfb did not start" >&2; exit 1; }
export XDG_CONFIG_HOME="$tmp/c" XDG_DATA_HOME="$tmp/s" TESSARYN_DESKTOP=none
export XDG_RUNTIME_DIR="$tmp/r"; mkdir -p "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
cp "$BUILD/src/app/tessaryn" "$tmp/tessaryn"

wait_name() {
    for _ in $(seq 200); do
        xdotool search --onlyvisible --all --name --class "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "no window $1" >&2
    exit 1
}
# The placement window has the main window's title: any other window of it.
placement() { xdotool search --onlyvisible --all --name --class '^Tessaryn$' 2>/dev/null | grep -vx "$MAIN" || true; }
wait_placement() {
    for _ in $(seq 200); do
        [[ -n "$(placement)" ]] && return 0
        sleep 0.1
    done
    echo "no placement window" >&2
    exit 1
}
wait_placement_gone() {
    for _ in $(seq 300); do
        [[ -z "$(placement)" ]] && return 0
        sleep 0.1
    done
    echo "the placement window stayed" >&2
    exit 1
}

# The wallpaper: a tiled 8K bitmap at the screen's corner, so the calendar
# picture at its corner is on the screen.
convert -size 7680x4320 gradient:'#203050-#a0c0e0' -depth 8 "BMP3:$tmp/wall.bmp"
reg() { "$BUILD/src/app/tessaryn-reg" add 'HKCU\Control Panel\desktop' /v "$1" /d "$2" /f >/dev/null; }
reg Wallpaper "$tmp/wall.bmp"
reg TileWallpaper 1
reg WallpaperOriginX 0
reg WallpaperOriginY 0

# One run of the program through a placement; $1 names it in the report.
place() {
    local what=$1 x=$2 y=$3
    /usr/bin/time -v -o "$tmp/time.txt" "$tmp/tessaryn" >"$tmp/log" 2>&1 &
    PROG_PID=$!
    wait_name '^Tessaryn$'
    MAIN=$(xdotool search --onlyvisible --all --name --class '^Tessaryn$' | head -n1)
    sleep 0.5
    start=$(date +%s%N)
    xdotool mousemove --sync 118 14 click 1          # "Drag Calendar"
    wait_placement
    opened=$(date +%s%N)
    sleep 0.5
    xdotool mousemove --sync 60 60 mousedown 1 mousemove --sync 400 300 mousemove --sync "$x" "$y" mouseup 1
    sleep 0.3
    xdotool mousemove --sync $((x + 50)) $((y + 50)) click --repeat 2 --delay 80 1   # preview
    sleep 1
    finish=$(date +%s%N)
    xdotool mousemove --sync 1800 1000 click --repeat 2 --delay 80 1  # finish
    wait_placement_gone
    done_at=$(date +%s%N)
    [[ -f "$XDG_DATA_HOME/tessaryn/Tessavel.bmp" ]] || { echo "no Tessavel.bmp" >&2; exit 1; }
    xdotool mousemove --sync 36 14 click 1           # "Close"
    wait "$PROG_PID" || true
    PROG_PID=""

    peak_kb=$(awk -F: '/Maximum resident set size/ {gsub(/ /, "", $2); print $2}' "$tmp/time.txt")
    echo "click to shown placement window: $(( (opened - start) / 1000000 )) ms;" \
         "finish to window gone: $(( (done_at - finish) / 1000000 )) ms"
    awk -v kb="$peak_kb" -v what="$what" 'BEGIN {
        mb = kb / 1024
        printf "peak resident memory %s: %.0f MiB (target <= 250, ratio %.2f)\n", what, mb, mb / 250
        exit (mb <= 250 ? 0 : 1)
    }'
}

status=0
place "over an 8K placement" 900 600 || status=1
if [[ "$AGAIN" == --again ]]; then
    place "placing again on our own 8K output" 500 200 || status=1
fi
if [[ -n "${PLACEMENT_OUTPUT_COPY:-}" ]]; then
    cp "$XDG_DATA_HOME/tessaryn/Tessavel.bmp" "$PLACEMENT_OUTPUT_COPY"
fi
exit "$status"
