#!/usr/bin/env bash
# "Drag Calendar" as a user meets it, with real X input: the placement window
# opens over the wallpaper's place with the calendar picture at its corner;
# a drag moves the picture (an outline follows the pointer); a double-click
# on it draws the calendar onto the wallpaper there; a double-click on the
# wallpaper writes Tessavel.bmp and records it in the hive. A second
# placement starts from the new wallpaper; a drop off the wallpaper hides the
# picture, a right-click on the wallpaper brings it back, a right-click on
# the picture cancels and changes nothing. A wallpaper smaller than the
# calendar gets the information message instead of the window.
source "$(dirname "$0")/lib.sh"
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR

reg_dump() { "$TESSARYN_REG" query "$DESKTOP_KEY"; }
diff_px() { "$PIXELPROBE" diff "$@"; }

start_xvfb 1280x800x24

# A wallpaper with an origin, tiled until now.
WALL="$E2E_TMP/wall.bmp"
convert -size 800x600 gradient:'#204070-#90b0e0' -depth 8 "BMP3:$WALL"
reg_set Wallpaper "$WALL"
reg_set WallpaperOriginX 100
reg_set WallpaperOriginY 50
reg_set TileWallpaper 1
OUT="$XDG_DATA_HOME/tessaryn/Tessavel.bmp"
OX=100 OY=50  # the window's corner on the screen

start_program
read -r mx my _ _ < <(window_geometry "$MAIN_WIN")
click_at $((mx + 118)) $((my + 14))  # "Drag Calendar"
FORM=$(wait_placement) || fail "the placement window did not open"
sleep 0.5
read -r fx fy fw fh < <(window_geometry "$FORM")
[[ "$fx $fy $fw $fh" == "$OX $OY 800 600" ]] ||
    fail "placement window at $fx,$fy ${fw}x$fh, expected $OX,$OY 800x600"

# The calendar picture (the preview, white, with a border) at the corner.
s=$(shot opened)
n=$(count_colour "$s" $((OX + 10)) $((OY + 120)) 280 20 FFFFFF 8)
(( n > 4000 )) || fail "no calendar picture at the wallpaper's corner ($n white pixels)"
# Its size: the preview's (304 x 160 in the main window at its design size)
# plus the border.
W=306 H=162

# Drag it with the left button, caught 40, 30 from its corner.
xdotool mousemove --sync $((OX + 40)) $((OY + 30)) mousedown 1
xdotool mousemove --sync $((OX + 140)) $((OY + 130))
xdotool mousemove --sync $((OX + 340)) $((OY + 330))
sleep 0.3
s=$(shot dragging)
# The picture is hidden: its old place shows the wallpaper again.
n=$(count_colour "$s" $((OX + 10)) $((OY + 120)) 280 20 FFFFFF 8)
(( n < 50 )) || fail "the picture still shows at its old place while dragging ($n)"
# The outline stands at the pointer minus the grab point: (300, 300).
n=$(count_colour "$s" $((OX + 300)) $((OY + 300)) $W 1 000000 30)
(( n > W - 10 )) || fail "no outline top edge under the pointer ($n black pixels)"
n=$(count_colour "$s" $((OX + 300)) $((OY + 300)) 1 $H 000000 30)
(( n > H - 10 )) || fail "no outline left edge under the pointer ($n black pixels)"
xdotool mouseup 1
sleep 0.4
s=$(shot dropped)
n=$(count_colour "$s" $((OX + 310)) $((OY + 420)) 280 20 FFFFFF 8)
(( n > 4000 )) || fail "the picture is not at its new place ($n white pixels)"

# Double-click it: the first press starts a drag that drops in place, the
# second press is the double-click that previews.
xdotool mousemove --sync $((OX + 450)) $((OY + 370)) click --repeat 2 --delay 80 1
sleep 0.8
s=$(shot preview)
n=$(count_colour "$s" $((OX + 310)) $((OY + 420)) 280 20 FFFFFF 8)
(( n < 400 )) || fail "the picture did not go away for the preview ($n white pixels)"
n=$(count_colour "$s" $((OX + 300)) $((OY + 300)) 110 $H FF0000 80)
(( n > 30 )) || fail "no Sunday column drawn onto the wallpaper ($n red pixels)"

# Double-click the wallpaper away from the calendar: finish.
xdotool mousemove --sync $((OX + 100)) $((OY + 550)) click --repeat 2 --delay 80 1
for _ in $(seq 50); do
    placement_open || break
    sleep 0.1
done
placement_open && fail "the window stayed open after finishing"
[[ -f "$OUT" ]] || fail "no $OUT was written"
[[ $(identify -format '%w %h' "$OUT") == "800 600" ]] || fail "$OUT is not 800x600: $(identify "$OUT")"
# An uncompressed 24-bit bitmap: "BM", 24 bits per pixel, compression 0.
[[ $(head -c2 "$OUT") == BM ]] || fail "$OUT is no bitmap"
[[ $(od -An -tu2 -j28 -N2 "$OUT" | tr -d ' ') == 24 ]] || fail "$OUT is not 24-bit"
[[ $(od -An -tu4 -j30 -N4 "$OUT" | tr -d ' ') == 0 ]] || fail "$OUT is compressed"

# Pixel for pixel the wallpaper, except where the calendar was drawn: inside
# the picture's rectangle at (300, 300).
for band in "0 0 800 300" "0 300 300 300" "$((300 + W)) 300 $((500 - W)) 300" "300 $((300 + H)) $W $((300 - H))"; do
    n=$(diff_px "$WALL" "$OUT" $band)
    [[ "$n" == 0 ]] || fail "$n pixels changed outside the calendar (area $band)"
done
n=$(diff_px "$WALL" "$OUT" 300 300 $W $H)
(( n > 1000 )) || fail "the calendar is missing from $OUT ($n pixels changed)"
n=$(count_colour "$OUT" 300 300 110 $H FF0000 80)
(( n > 30 )) || fail "no Sunday column in $OUT ($n red pixels)"
n=$(count_colour "$OUT" $((300 + 200)) 300 $((W - 200)) $H 0000FF 80)
(( n > 30 )) || fail "no Saturday column in $OUT ($n blue pixels)"
n=$(count_colour "$OUT" 340 330 200 $((H - 30)) FFFF00 80)
(( n > 100 )) || fail "no weekdays in $OUT ($n yellow pixels)"
# The calendar picture's white background is no part of the file.
n=$(count_colour "$OUT" $((300 + 270)) 300 $((W - 270)) $H FFFFFF 8)
(( n == 0 )) || fail "the calendar picture itself was saved ($n white pixels)"

hive=$(reg_dump)
grep -q "Wallpaper    REG_SZ    $OUT\$" <<<"$hive" || fail "the hive does not name $OUT: $hive"
grep -q "TileWallpaper    REG_SZ    0\$" <<<"$hive" || fail "TileWallpaper is not 0: $hive"
grep -q "WallpaperOriginX    REG_SZ    100\$" <<<"$hive" || fail "origin X lost: $hive"
grep -q "WallpaperOriginY    REG_SZ    50\$" <<<"$hive" || fail "origin Y lost: $hive"
echo "placement finished: OK"

# A second placement starts from the composed wallpaper, the picture back at
# the corner.
sum_before=$(md5sum "$OUT")
files_before=$(ls -A "$(dirname "$OUT")")
click_at $((mx + 118)) $((my + 14))
FORM=$(wait_placement) || fail "the placement window did not open the second time"
sleep 0.5
s=$(shot second)
convert "$OUT" "$E2E_TMP/out.png"
n=$(count_colour "$s" $((OX + 10)) $((OY + 120)) 280 20 FFFFFF 8)
(( n > 4000 )) || fail "the picture is not at the corner the second time ($n)"
# Beside the picture the window shows the composed wallpaper.
convert "$s" -crop 800x600+$OX+$OY +repage "$E2E_TMP/second-wall.png"
n=$(diff_px "$E2E_TMP/out.png" "$E2E_TMP/second-wall.png" 0 $((H + 2)) 800 $((600 - H - 2)))
[[ "$n" == 0 ]] || fail "the second placement does not show the composed wallpaper ($n pixels differ)"

# Drop off the wallpaper (on the bare screen to its right): hidden.
xdotool mousemove --sync $((OX + 20)) $((OY + 20)) mousedown 1
xdotool mousemove --sync $((OX + 500)) $((OY + 300))
xdotool mousemove --sync 1200 700
xdotool mouseup 1
sleep 0.4
s=$(shot hidden)
n=$(count_colour "$s" $((OX + 10)) $((OY + 120)) 280 20 FFFFFF 8)
(( n < 50 )) || fail "the picture shows after a drop off the wallpaper ($n)"
# A right-click on the wallpaper brings it back where it was.
click_at $((OX + 600)) $((OY + 500)) 3
sleep 0.4
s=$(shot restored)
n=$(count_colour "$s" $((OX + 10)) $((OY + 120)) 280 20 FFFFFF 8)
(( n > 4000 )) || fail "a right-click did not bring the picture back ($n)"
# A right-click on the picture cancels.
click_at $((OX + 100)) $((OY + 100)) 3
for _ in $(seq 50); do
    placement_open || break
    sleep 0.1
done
placement_open && fail "the window stayed open after the cancel"
[[ $(md5sum "$OUT") == "$sum_before" ]] || fail "the cancel changed $OUT"
[[ $(ls -A "$(dirname "$OUT")") == "$files_before" ]] || fail "the cancel left files behind"
[[ $(reg_dump) == "$hive" ]] || fail "the cancel changed the hive: $(reg_dump)"
echo "placement cancelled: OK"

# A wallpaper smaller than the calendar: the information message, no window.
convert -size 200x100 xc:'#336699' "PNG24:$E2E_TMP/small.png"
reg_set Wallpaper "$E2E_TMP/small.png"
click_at $((mx + 118)) $((my + 14))
BOX=$(wait_window '^Tessaryn Info\.$') || fail "no message for a wallpaper smaller than the calendar"
shot small >/dev/null
placement_open && fail "the placement window opened for a small wallpaper"
# OK, by the keyboard: the message box has the focus.
xdotool key Return
for _ in $(seq 30); do
    xdotool search --onlyvisible --name '^Tessaryn Info\.$' >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --onlyvisible --name '^Tessaryn Info\.$' >/dev/null 2>&1 && fail "the message did not close"
echo "small wallpaper: OK"

click_at $((mx + 36)) $((my + 14))  # "Close"
wait_exit 10 || fail "the program did not end after Close"
[[ "$EXIT_STATUS" == 0 ]] || fail "the program ended with status $EXIT_STATUS"
echo "placement: OK"
