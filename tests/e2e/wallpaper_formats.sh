#!/usr/bin/env bash
# Wallpapers as people have them, with real X input: (d) an SVG drawing,
# centred; (e) stock Debian 12 GNOME: desktop-base's background description
# as picture-uri with zoom (real gsettings on a private bus) on a 1920 x 1080
# screen. The placement shows the picture as the desktop draws it, and the
# finished Tessavel.bmp outside the calendar is that picture pixel for pixel.
source "$(dirname "$0")/lib.sh"
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR

diff_px() { "$PIXELPROBE" diff "$@"; }
OUT="$XDG_DATA_HOME/tessaryn/Tessavel.bmp"
BUS_PID=""

stop_session() {
    [[ -n "$PROG_PID" ]] && kill "$PROG_PID" 2>/dev/null && wait "$PROG_PID" 2>/dev/null || true
    PROG_PID=""
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
}
trap 'stop_session; [[ -n "$BUS_PID" ]] && kill "$BUS_PID" 2>/dev/null; e2e_cleanup' EXIT

# place_and_finish: opens the placement, drags the picture by (DX, DY),
# previews it there, finishes away from it. Sets FX FY FW FH (the window)
# and leaves the opening screenshot in $E2E_TMP/opened.png.
place_and_finish() {
    local dx=$1 dy=$2
    read -r mx my _ _ < <(window_geometry "$MAIN_WIN")
    click_at $((mx + 118)) $((my + 14))  # "Drag Calendar"
    local form
    form=$(wait_placement) || fail "the placement window did not open"
    sleep 0.8
    read -r FX FY FW FH < <(window_geometry "$form")
    shot opened >/dev/null
    xdotool mousemove --sync $((FX + 40)) $((FY + 30)) mousedown 1
    xdotool mousemove --sync $((FX + 40 + dx / 2)) $((FY + 30 + dy / 2))
    xdotool mousemove --sync $((FX + 40 + dx)) $((FY + 30 + dy))
    sleep 0.2
    xdotool mouseup 1
    sleep 0.4
    xdotool mousemove --sync $((FX + dx + 100)) $((FY + dy + 60)) click --repeat 2 --delay 80 1
    sleep 0.8
    xdotool mousemove --sync $((FX + 20)) $((FY + FH - 20)) click --repeat 2 --delay 80 1
    for _ in $(seq 80); do
        placement_open || break
        sleep 0.1
    done
    for _ in $(seq 50); do [[ -f "$OUT" ]] && break; sleep 0.1; done
    [[ -f "$OUT" ]] || fail "no $OUT was written"
}

# outside_calendar_equals REFERENCE X Y (the calendar's picture corner in
# the file, 306 x 162): every pixel around it is the reference's.
outside_calendar_equals() {
    local ref=$1 x=$2 y=$3 w h
    read -r w h < <("$PIXELPROBE" size "$ref")
    local n
    for band in "0 0 $w $y" "0 $y $x $((h - y))" "$((x + 306)) $y $((w - x - 306)) $((h - y))" \
        "$x $((y + 162)) 306 $((h - y - 162))"; do
        n=$(diff_px "$ref" "$OUT" $band)
        [[ "$n" == 0 ]] || fail "$n pixels differ from $ref outside the calendar (area $band)"
    done
    n=$(diff_px "$ref" "$OUT" "$x" "$y" 306 162)
    (( n > 1000 )) || fail "no calendar in $OUT ($n pixels changed)"
}

# --- (d) an SVG wallpaper, centred --------------------------------------------
start_xvfb 1280x800x24
SVG="$E2E_TMP/drawing.svg"
cat >"$SVG" <<'SVG_END'
<?xml version="1.0"?>
<svg xmlns="http://www.w3.org/2000/svg" width="800" height="600" viewBox="0 0 800 600">
  <defs><linearGradient id="g" x1="0" y1="0" x2="1" y2="1">
    <stop offset="0" stop-color="#1d3557"/><stop offset="1" stop-color="#a8dadc"/>
  </linearGradient></defs>
  <rect width="800" height="600" fill="url(#g)"/>
  <circle cx="600" cy="150" r="90" fill="#e63946"/>
  <path d="M0 520 Q200 420 400 520 T800 520 V600 H0 Z" fill="#457b9d"/>
</svg>
SVG_END
reg_set Wallpaper "$SVG"
reg_set WallpaperOriginX 0
reg_set WallpaperOriginY 0
reg_set TileWallpaper 0
start_program
place_and_finish 200 150
[[ "$FX $FY $FW $FH" == "240 100 800 600" ]] || fail "(d) window at $FX,$FY ${FW}x$FH"
[[ $("$PIXELPROBE" size "$OUT") == "800 600" ]] || fail "(d) $OUT is not 800 x 600"
# The drawing at its own size; the calendar's image starts inside the
# picture's border, one pixel past its corner at (200, 150).
outside_calendar_equals "$SVG" 200 150
grep -q "Wallpaper    REG_SZ    $OUT\$" < <("$TESSARYN_REG" query "$DESKTOP_KEY") ||
    fail "(d) the hive does not name $OUT"
echo "(d) SVG: OK"
stop_session
rm -f "$OUT"

# --- (e) stock Debian 12 GNOME: desktop-base, zoom, 1920 x 1080 -------------
XML=/usr/share/images/desktop-base/desktop-background.xml
[[ -e "$XML" ]] || fail "(e) needs desktop-base ($XML)"
BUS_SOCKET="$XDG_RUNTIME_DIR/bus"
dbus-daemon --session --nofork --address="unix:path=$BUS_SOCKET" >/dev/null 2>&1 &
BUS_PID=$!
for _ in $(seq 50); do [[ -S "$BUS_SOCKET" ]] && break; sleep 0.1; done
export DBUS_SESSION_BUS_ADDRESS="unix:path=$BUS_SOCKET"
export TESSARYN_DESKTOP=gnome
# desktop-base's schema override makes these the defaults; set them all the
# same, in case the override is not compiled in.
gsettings set org.gnome.desktop.background picture-uri "file://$XML"
gsettings set org.gnome.desktop.background picture-options zoom
VARIANT=$(readlink -f "$(dirname "$(readlink -f "$XML")")/contents/images/1920x1080.svg")
[[ -f "$VARIANT" ]] || fail "(e) no 1920x1080 variant beside $(readlink -f "$XML")"
xml_sum=$(md5sum <"$(readlink -f "$XML")")
start_xvfb 1920x1080x24
start_program
place_and_finish 600 400
[[ "$FX $FY $FW $FH" == "0 0 1920 1080" ]] || fail "(e) window at $FX,$FY ${FW}x$FH"
# The placement showed the 1920 x 1080 drawing (beside the calendar picture).
convert "$E2E_TMP/opened.png" -crop 1920x1080+0+0 +repage "$E2E_TMP/e-screen.png"
n=$(diff_px "$VARIANT" "$E2E_TMP/e-screen.png" 400 200 1500 880)
[[ "$n" == 0 ]] || fail "(e) the placement does not show the 1920x1080 variant ($n pixels differ)"
[[ $("$PIXELPROBE" size "$OUT") == "1920 1080" ]] || fail "(e) $OUT is not 1920 x 1080"
outside_calendar_equals "$VARIANT" 600 400
[[ $(gsettings get org.gnome.desktop.background picture-uri) == "'file://$OUT'" ]] ||
    fail "(e) GNOME does not show $OUT"
[[ $(gsettings get org.gnome.desktop.background picture-options) == "'zoom'" ]] ||
    fail "(e) the zoom was lost"
[[ $(md5sum <"$(readlink -f "$XML")") == "$xml_sum" ]] || fail "(e) the description was changed"
echo "(e) Debian 12 GNOME with desktop-base: OK"
echo "wallpaper formats: OK"
