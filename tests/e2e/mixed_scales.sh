#!/usr/bin/env bash
# Two RandR monitors of one Xvfb at scales 1 and 1.5 (QT_SCREEN_SCALE_FACTORS):
# on each, the placement window covers the monitor's device pixels exactly and
# shows the wallpaper one to one, the picture's frame is one device pixel on
# each side, also after a drag between logical pixels, the preview draws the
# calendar where the picture showed it, and the saved file is the preview.
source "$(dirname "$0")/lib.sh"
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR

start_xvfb 2048x768x24
# Xvfb forgets its monitors once no client is left: one stays, connected
# once it has listed the root window's properties.
xprop -root -spy >"$E2E_TMP/holder" 2>&1 &
HOLDER=$!
trap 'kill "$HOLDER" 2>/dev/null || true; e2e_cleanup' EXIT
for _ in $(seq 50); do [[ -s "$E2E_TMP/holder" ]] && break; sleep 0.1; done
xrandr --setmonitor L 1024/270x768/203+0+0 screen
xrandr --setmonitor R 1024/270x768/203+1024+0 none

# Centred (no origin, untiled): each monitor shows x 512 to 1535.
WALL="$E2E_TMP/wall.png"
convert -size 2048x768 gradient:'#305080-#a0c0e0' -attenuate 0.5 +noise Uniform -depth 8 \
    "PNG24:$WALL"
reg_set Wallpaper "$WALL"
OUT="$XDG_DATA_HOME/tessaryn/Tessavel.bmp"
QT_SCREEN_SCALE_FACTORS="L=1;R=1.5" start_program
view_of() { convert "$1" -crop 1024x768+512+0 +repage \( +clone \) +append "$E2E_TMP/view.png"; }

# picture SHOT: on the monitor at X0 the picture is all that differs from the
# wallpaper, and its frame is black and one pixel thick on each side; BOX is
# where it is.
picture() {
    local x y w h side
    BOX=$("$PIXELPROBE" bbox "$E2E_TMP/view.png" "$1" "$X0" 0 1024 768)
    read -r x y w h <<<"$BOX"
    [[ $("$PIXELPROBE" ink "$1" $BOX 0 000000) == "$BOX" ]] ||
        fail "$NAME: not the wallpaper one to one around a framed picture at $BOX"
    for side in "$x $((y + h / 2)) 4 1" "$((x + w - 4)) $((y + h / 2)) 4 1" \
        "$((x + w / 2)) $y 1 4" "$((x + w / 2)) $((y + h - 4)) 1 4"; do
        [[ $(count_colour "$1" $side 000000 0) == 1 ]] ||
            fail "$NAME: the frame of the picture at $BOX is not 1 pixel thick in $side"
    done
}

# place NAME X0 BX BY DY: "Drag Calendar" (at BX, BY) opens the window on the
# monitor at X0; the picture is dragged by (301, DY), previewed and finished.
place() {
    NAME=$1 X0=$2
    local at x y w h ix iy iw ih px py pw ph
    click_at "$3" "$4"
    FORM=$(wait_placement) || fail "$NAME: the placement window did not open"
    sleep 0.8
    at=$(window_geometry "$FORM")
    [[ "$at" == "$X0 0 1024 768" ]] || fail "$NAME: the window is at $at, not on the monitor"
    view_of "$WALL"
    picture "$(shot "$NAME-corner")"
    xdotool mousemove --sync $((X0 + 40)) 30 mousedown 1 mousemove --sync $((X0 + 200)) 100
    xdotool mousemove --sync $((X0 + 341)) $((30 + $5)) sleep 0.2 mouseup 1 sleep 0.5
    picture "$(shot "$NAME-dropped")"
    read -r x y w h <<<"$BOX"
    # The calendar's ink inside the frame, and where the preview draws it:
    # left, right and bottom within 2 pixels (the month's white letters do
    # not show on the picture's white).
    read -r iw ih ix iy < <(convert "$E2E_TMP/$NAME-dropped.png" -crop \
        "$((w - 2))x$((h - 2))+$((x + 1))+$((y + 1))" -fuzz 6% -trim -format '%w %h %X %Y\n' info:)
    xdotool mousemove --sync $((x + 60)) $((y + 20)) click --repeat 2 --delay 80 1 sleep 1
    read -r px py pw ph < <("$PIXELPROBE" bbox "$E2E_TMP/view.png" "$(shot "$NAME-preview")" \
        "$X0" 0 1024 768)
    (((ix - px) ** 2 <= 4 && (ix + iw - px - pw) ** 2 <= 4 && (iy + ih - py - ph) ** 2 <= 4)) ||
        fail "$NAME: the calendar at $((ix)),$((iy)) ${iw}x$ih is previewed at $px,$py ${pw}x$ph"
    xdotool mousemove --sync $((X0 + 900)) 700 click --repeat 2 --delay 80 1
    for _ in $(seq 80); do placement_open || break; sleep 0.1; done
    view_of "$OUT"
    n=$("$PIXELPROBE" diff "$E2E_TMP/view.png" "$E2E_TMP/$NAME-preview.png" "$X0" 0 1024 768)
    [[ "$n" == 0 ]] || fail "$NAME: the preview differs from $OUT in $n pixels"
    WALL="$E2E_TMP/$NAME.bmp" && cp "$OUT" "$WALL"
    echo "$NAME: window at $at, frame 1 pixel thick, calendar previewed where shown: OK"
}

place L 0 118 14 201
xdotool windowmove "$MAIN_WIN" 1100 50 sleep 0.5  # onto the right monitor, at 1.5
place R 1024 $((1100 + 177)) $((50 + 21)) 401
echo "mixed scales: OK"
