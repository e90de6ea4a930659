#!/usr/bin/env bash
# Placement on today's screens, with real X input: (a) a scale factor of 2,
# (b) GNOME showing a 4K picture zoomed on a full-HD screen (real gsettings
# on a private bus), (c) a centred picture larger than the screen, cancelled
# with Esc. Each checks the
# pixels of Tessavel.bmp: the calendar lands at the wallpaper pixel it was
# dropped on, as large as it was previewed.
source "$(dirname "$0")/lib.sh"
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR

reg_dump() { "$TESSARYN_REG" query "$DESKTOP_KEY"; }
bbox() { "$PIXELPROBE" bbox "$@"; }
OUT="$XDG_DATA_HOME/tessaryn/Tessavel.bmp"
BUS_PID=""

stop_session() {
    [[ -n "$PROG_PID" ]] && kill "$PROG_PID" 2>/dev/null && wait "$PROG_PID" 2>/dev/null || true
    PROG_PID=""
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
    rm -f "$OUT"
}
trap 'stop_session; [[ -n "$BUS_PID" ]] && kill "$BUS_PID" 2>/dev/null; e2e_cleanup' EXIT

wait_placement_gone() {
    for _ in $(seq 80); do
        placement_open || return 0
        sleep 0.1
    done
    return 1
}

# place SCALE PRESS_X PRESS_Y CORNER_X CORNER_Y: drags the calendar picture,
# caught at the press (screen pixels, on the picture), so that its image
# (inside the 1-pixel border) starts at the screen pixel CORNER; previews
# there and leaves the preview's screenshot in $E2E_TMP/preview.png and one
# from before the drag in $E2E_TMP/before.png. Window-relative moves are in
# logical pixels, SCALE device pixels each.
place() {
    local s=$1 px=$2 py=$3 cx=$4 cy=$5
    # The picture's outer corner is at its start corner (fx, fy); the press
    # is (px - fx, py - fy) into it, the border one logical pixel wide.
    local rx=$((px + cx - FX - s)) ry=$((py + cy - FY - s))
    shot before >/dev/null  # the bare wallpaper away from the corner
    xdotool mousemove --sync "$px" "$py" mousedown 1
    xdotool mousemove --sync $(((px + rx) / 2)) $(((py + ry) / 2))
    xdotool mousemove --sync "$rx" "$ry"
    sleep 0.2
    xdotool mouseup 1
    sleep 0.5
    # Double-click inside the moved picture: preview.
    xdotool mousemove --sync $((cx + 40 * s)) $((cy + 20 * s)) click --repeat 2 --delay 80 1
    sleep 1
    shot preview >/dev/null
}

# picture_ink SHOT SCALE: the calendar's ink inside the calendar picture at
# the window's corner, from the picture's image corner: "X Y W H".
picture_ink() {
    local s=$2 w=$((296 * $2)) h=$((150 * $2))  # well inside the border
    convert "$1" -crop "${w}x${h}+$((FX + s))+$((FY + s))" +repage -fuzz 6% -fill white \
        -opaque white "$E2E_TMP/picture.png"
    convert -size "${w}x$h" xc:white "$E2E_TMP/white.png"
    bbox "$E2E_TMP/white.png" "$E2E_TMP/picture.png"
}

# shifted "X Y W H" DX DY: the box moved.
shifted() {
    local x y w h
    read -r x y w h <<<"$1"
    echo "$((x + $2)) $((y + $3)) $w $h"
}

finish_at() {
    xdotool mousemove --sync "$1" "$2" click --repeat 2 --delay 80 1
    wait_placement_gone || fail "the window stayed open after finishing"
    for _ in $(seq 50); do [[ -f "$OUT" ]] && break; sleep 0.1; done
    [[ -f "$OUT" ]] || fail "no $OUT was written"
}

open_placement() {
    read -r MX MY _ _ < <(window_geometry "$MAIN_WIN")
    click_at $((MX + 118 * $1)) $((MY + 14 * $1))  # "Drag Calendar"
    FORM=$(wait_placement) || fail "the placement window did not open"
    sleep 0.8
    read -r FX FY FW FH < <(window_geometry "$FORM")
}

# ink_matches SCREEN_BOX FILE_BOX FACTOR [PIXELS PERCENT]: the calendar's
# ink in the file is the ink on the screen, FACTOR times as large, at FACTOR
# times the place (within one screen pixel and 2 % in size, unless given).
ink_matches() {
    local sx sy sw sh ox oy ow oh f=$3 tp=${4:-1} ts=${5:-2}
    read -r sx sy sw sh <<<"$1"
    read -r ox oy ow oh <<<"$2"
    awk -v sx="$sx" -v sy="$sy" -v sw="$sw" -v sh="$sh" -v ox="$ox" -v oy="$oy" -v ow="$ow" \
        -v oh="$oh" -v f="$f" -v tp="$tp" -v ts="$ts" 'function abs(v) { return v < 0 ? -v : v }
        BEGIN { ok = abs(ox / f - sx) <= tp && abs(oy / f - sy) <= tp &&
                     abs(ow - sw * f) <= ts / 100 * ow + f && abs(oh - sh * f) <= ts / 100 * oh + f
                exit ok ? 0 : 1 }'
}

# --- (a) Scale factor 2 on 2560 x 1600, a 2560 x 1600 wallpaper -----------
start_xvfb 2560x1600x24
WALL="$E2E_TMP/wall-a.bmp"
convert -size 2560x1600 gradient:'#204070-#90b0e0' -depth 8 "BMP3:$WALL"
reg_set Wallpaper "$WALL"
reg_set WallpaperOriginX 0
reg_set WallpaperOriginY 0
reg_set TileWallpaper 0
QT_SCALE_FACTOR=2 start_program
open_placement 2
[[ "$FX $FY $FW $FH" == "0 0 2560 1600" ]] || fail "(a) window at $FX,$FY ${FW}x$FH"
s=$(shot a-opened)
ink_picture=$(picture_ink "$s" 2)
# The calendar picture at the corner, at the preview's size on the screen:
# 306 x 162 logical, so 612 x 324 device pixels (white inside).
n=$(count_colour "$s" 4 260 560 40 FFFFFF 8)
(( n > 18000 )) || fail "(a) no calendar picture at the corner ($n white pixels)"
# The window shows the wallpaper one to one, sharp: beside the picture the
# screen is the file.
convert "$s" -crop 2560x1600+0+0 +repage "$E2E_TMP/a-screen.png"
n=$("$PIXELPROBE" diff "$E2E_TMP/a-screen.png" "$WALL" 700 400 1800 1100)
[[ "$n" == 0 ]] || fail "(a) the window does not show the wallpaper pixel for pixel ($n differ)"
place 2 40 30 1000 600
ink_screen=$(bbox "$E2E_TMP/before.png" "$E2E_TMP/preview.png" 900 500 1000 700)
finish_at 2400 1500
[[ $(identify -format '%w %h' "$OUT") == "2560 1600" ]] || fail "(a) $OUT: $(identify "$OUT")"
ink_file=$(bbox "$WALL" "$OUT")
echo "(a) ink on the screen: $ink_screen; in the file: $ink_file"
ink_matches "$ink_screen" "$ink_file" 1 || fail "(a) the calendar is not where it was dropped"
# Where the picture showed it: its ink, from its image corner at (1000, 600).
# The picture is the main window's preview enlarged by the scale factor, the
# file draws the font at twice the size, whose hinting moves lines by a few
# pixels (3 logical pixels at most).
ink_matches "$(shifted "$ink_picture" 1000 600)" "$ink_file" 1 6 3 ||
    fail "(a) the calendar is not where the picture showed it: $ink_picture at (1000, 600)"
# The preview on the screen is the saved picture.
n=$("$PIXELPROBE" diff "$E2E_TMP/preview.png" "$OUT" 900 500 1600 1000)
[[ "$n" == 0 ]] || fail "(a) the preview differs from the file ($n pixels)"
echo "(a) scale factor 2: OK"
stop_session

# --- (b) GNOME zoom, 3840 x 2160 on 1920 x 1080 -----------------------------
if ! command -v gsettings >/dev/null || ! command -v dbus-daemon >/dev/null; then
    fail "(b) needs gsettings and dbus-daemon"
fi
BUS_SOCKET="$XDG_RUNTIME_DIR/bus"
dbus-daemon --session --nofork --address="unix:path=$BUS_SOCKET" >/dev/null 2>&1 &
BUS_PID=$!
for _ in $(seq 50); do [[ -S "$BUS_SOCKET" ]] && break; sleep 0.1; done
export DBUS_SESSION_BUS_ADDRESS="unix:path=$BUS_SOCKET"
export TESSARYN_DESKTOP=gnome
BIG="$E2E_TMP/big.png"
convert -size 3840x2160 gradient:'#703020-#e0b090' -depth 8 "PNG24:$BIG"
gsettings set org.gnome.desktop.background picture-uri "file://$BIG"
gsettings set org.gnome.desktop.background picture-options zoom
start_xvfb 1920x1080x24
start_program
open_placement 1
[[ "$FX $FY $FW $FH" == "0 0 1920 1080" ]] || fail "(b) window at $FX,$FY ${FW}x$FH"
ink_picture=$(picture_ink "$(shot b-opened)" 1)
place 1 40 30 1200 700
ink_screen=$(bbox "$E2E_TMP/before.png" "$E2E_TMP/preview.png" 1100 600 800 470)
finish_at 300 1000
[[ $(identify -format '%w %h' "$OUT") == "3840 2160" ]] || fail "(b) $OUT: $(identify "$OUT")"
ink_file=$(bbox "$BIG" "$OUT")
echo "(b) ink on the screen: $ink_screen; in the file: $ink_file"
# Twice the place and the size the preview showed on the screen, and the
# picture's ink, from its image corner at (1200, 700).
ink_matches "$ink_screen" "$ink_file" 2 ||
    fail "(b) the calendar is not at twice the place and size it was previewed at"
ink_matches "$(shifted "$ink_picture" 1200 700)" "$ink_file" 2 3 3 ||
    fail "(b) the calendar is not where the picture showed it: $ink_picture at (1200, 700)"
uri=$(gsettings get org.gnome.desktop.background picture-uri)
[[ "$uri" == "'file://$OUT'" ]] || fail "(b) GNOME shows $uri"
[[ $(gsettings get org.gnome.desktop.background picture-options) == "'zoom'" ]] ||
    fail "(b) the zoom was lost"
echo "(b) GNOME zoom: OK"
stop_session
export TESSARYN_DESKTOP=none

# --- (c) centred 3840 x 2160 on 1920 x 1080, cancelled with Esc ------------
start_xvfb 1920x1080x24
reg_set Wallpaper "$BIG"
hive=$(reg_dump)
start_program
open_placement 1
[[ "$FX $FY $FW $FH" == "0 0 1920 1080" ]] || fail "(c) window at $FX,$FY ${FW}x$FH"
s=$(shot c-opened)
n=$(count_colour "$s" 4 120 280 20 FFFFFF 8)
(( n > 4000 )) || fail "(c) the calendar picture is not visible at the start ($n white pixels)"
# The middle of the picture is in the middle of the screen.
convert "$BIG" -crop 1920x1080+960+540 +repage "$E2E_TMP/c-middle.png"
convert "$s" -crop 1920x1080+0+0 +repage "$E2E_TMP/c-screen.png"
n=$("$PIXELPROBE" diff "$E2E_TMP/c-middle.png" "$E2E_TMP/c-screen.png" 400 200 1500 800)
[[ "$n" == 0 ]] || fail "(c) the window does not show the picture's middle ($n pixels differ)"
xdotool key Escape
wait_placement_gone || fail "(c) Esc did not close the window"
[[ ! -e "$OUT" ]] || fail "(c) Esc wrote $OUT"
[[ $(reg_dump) == "$hive" ]] || fail "(c) Esc changed the hive"
# The main window takes input again: "Close" ends the program.
click_at $((MX + 36)) $((MY + 14))
wait_exit 10 || fail "(c) the program did not end after Close"
echo "(c) larger than the screen, Esc: OK"
stop_session

echo "screens: OK"
