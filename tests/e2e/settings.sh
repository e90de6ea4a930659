#!/usr/bin/env bash
# The main window remembers its place and size: move and resize it, close it
# with "Close", find the numbers in the settings file, start again and find
# the window where it was left.
source "$(dirname "$0")/lib.sh"

start_xvfb
start_program
xdotool windowmove --sync "$MAIN_WIN" 150 90
xdotool windowsize --sync "$MAIN_WIN" 400 330
sleep 0.5
read -r x y w h < <(window_geometry "$MAIN_WIN")
[[ "$x $y $w $h" == "150 90 400 330" ]] || fail "window is at $x $y $w $h after moving"
shot moved >/dev/null

click_at $((x + 36)) $((y + 14))
wait_exit 10 || fail "the program did not end after Close"
[[ "$EXIT_STATUS" == 0 ]] || fail "the program ended with status $EXIT_STATUS"

ini="$PROGRAM_DIR/Tessaryn.ini"
[[ -f "$ini" ]] || fail "no settings file next to the program"
value() { tr -d '\r' <"$ini" | awk -F= -v k="$1" '$1 == k { print $2; exit }'; }
# 15 twips per pixel at 96 dots per inch.
[[ "$(value Top)" == 1350 ]] || fail "Top is $(value Top), expected 1350"
[[ "$(value Left)" == 2250 ]] || fail "Left is $(value Left), expected 2250"
[[ "$(value Height)" == 4950 ]] || fail "Height is $(value Height), expected 4950"
[[ "$(value Width)" == 6000 ]] || fail "Width is $(value Width), expected 6000"
[[ "$(value Color2)" == 16711680 ]] || fail "Color2 is $(value Color2)"
head -c 200 "$ini" | grep -q $'\r' || fail "the settings file has no CRLF line ends"

# Saturday turns green by hand; the next start shows it.
sed -i 's/^Color2=.*/Color2=65280\r/' "$ini"
start_program
read -r x y w h < <(window_geometry "$MAIN_WIN")
[[ "$x $y $w $h" == "150 90 400 330" ]] || fail "restarted window is at $x $y $w $h"
s=$(shot restarted)
# The "Saturday" option's caption is drawn in green now.
n=$(count_colour "$s" $((x + 140)) $((y + 66)) 70 18 00FF00)
(( n > 5 )) || fail "the Saturday option is not green after the restart ($n pixels)"
click_at $((x + 36)) $((y + 14))
wait_exit 10 || fail "the second run did not end"
echo "settings: OK"
