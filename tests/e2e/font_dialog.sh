#!/usr/bin/env bash
# The font button with real X input: pick a face and a colour for the
# selected kind ("Weekday") and confirm; the preview shows them. A second
# opening changed and then cancelled leaves the preview as it was.
source "$(dirname "$0")/lib.sh"

start_xvfb
start_program
read -r x y w h < <(window_geometry "$MAIN_WIN")
F=17.3333
cell() {
    awk -v r="$1" -v c="$2" -v f="$F" -v ox="$x" -v oy="$y" \
        'BEGIN { printf "%d %d %d %d", ox + 4 + (2*c+1)*f, oy + 92 + (r+3)*f, 1.3*f, f }'
}
before=$(shot before)
(( $(count_colour "$before" $(cell 1 3) 00FF00 40) == 0 )) || fail "weekdays are green before any change"

open_dialog() {
    click_at $((x + 150)) $((y + 55))
    DIALOG=$(wait_window '^Font$') || fail "the font dialog did not open"
    sleep 0.3
}

# The face field has the focus with its text selected: typing replaces it.
open_dialog
xdotool type --delay 20 "DejaVu Serif"
xdotool key alt+c
xdotool type --delay 40 "Lime"
sleep 0.2
xdotool key Return
sleep 0.8
xdotool search --onlyvisible --name '^Font$' >/dev/null 2>&1 && fail "the dialog is still open after OK"
after=$(shot after)
for c in 1 2 3 4 5; do
    n=$(count_colour "$after" $(cell 1 "$c") 00FF00 40)
    (( n > 5 )) || fail "weekday column $c is not green ($n pixels)"
done
(( $(count_colour "$after" $(cell 1 0) FF0000) > 5 )) || fail "Sunday lost its red"
(( $(count_colour "$after" $(cell 1 6) 0000FF) > 5 )) || fail "Saturday lost its blue"
(( $("$PIXELPROBE" diff "$before" "$after" $((x + 8)) $((y + 44)) 297 21) > 50 )) ||
    fail "the font button's caption did not change"

# Change everything, then cancel with Esc: nothing moves.
open_dialog
xdotool type --delay 20 "DejaVu Sans Mono"
xdotool key alt+c
xdotool type --delay 40 "Red"
xdotool key alt+u  # underline
sleep 0.2
xdotool key Escape
sleep 0.8
cancelled=$(shot cancelled)
changed=$("$PIXELPROBE" diff "$after" "$cancelled" "$x" "$y" "$w" "$h")
(( changed == 0 )) || fail "cancelling changed $changed pixels of the main window"

click_at $((x + 36)) $((y + 14))
wait_exit 10 || fail "the program did not end after Close"
ini="$PROGRAM_DIR/Tessaryn.ini"
grep -q $'^Name=DejaVu Serif\r$' "$ini" || fail "the settings file does not hold the chosen face"
grep -q $'^Color3=65280\r$' "$ini" || fail "the settings file does not hold the green weekdays"
grep -q $'^Underline=False\r$' "$ini" || fail "the cancelled underline reached the settings file"
echo "font dialog: OK"
