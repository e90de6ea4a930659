#!/usr/bin/env bash
# The keyboard in the main window and the font dialog: Esc on an open
# drop-down list closes only the list; Return and Enter press the focused
# button; Esc with no list open is "Close".
source "$(dirname "$0")/lib.sh"

start_xvfb
start_program
read -r x y w h < <(window_geometry "$MAIN_WIN")

alive() { [[ "$(ps -o stat= -p "$PROG_PID" 2>/dev/null || true)" =~ ^[^Z] ]]; }
# Pixels that differ below the two lists, where an open list shows.
below_lists() { "$PIXELPROBE" diff "$1" "$2" $((x + 168)) $((y + 30)) 141 90; }
# Waits up to 5 s for the area below the lists to be open (more than 200
# pixels changed) or closed (none), as $1 says; a busy machine draws late.
lists_become() {
    for _ in $(seq 20); do
        sleep 0.25
        local now n
        now=$(shot "$1-$cx-$kind")
        n=$(below_lists "$closed" "$now")
        if [[ $1 == open ]]; then ((n > 200)) && return 0; else ((n == 0)) && return 0; fi
    done
    return 1
}

closed=$(shot closed)
# Open by mouse (month, then year) and by keyboard (alt+Down on the year
# list, which the mouse left focused); Esc each time.
for how in "276 mouse" "206 mouse" "206 keyboard"; do
    read -r cx kind <<<"$how"
    if [[ $kind == mouse ]]; then
        click_at $((x + cx)) $((y + 15))
    else
        xdotool key alt+Down
    fi
    lists_become open || fail "the list did not open ($cx, $kind)"
    xdotool key Escape
    lists_become closed || fail "Esc left the list open ($cx, $kind)"
    alive || fail "Esc on an open list ($cx, $kind) ended the program"
done

# The year list has the focus; five tabs reach the font button, and Return
# presses it.
xdotool key Tab Tab Tab Tab Tab
sleep 0.2
xdotool key Return
wait_window '^Font$' >/dev/null || fail "Return on the focused font button did not open the dialog"
sleep 0.3
# In the dialog, back-tab from the face field to Cancel; Return presses it.
xdotool type --delay 20 "DejaVu Serif"
xdotool key shift+Tab
sleep 0.2
xdotool key Return
for _ in $(seq 40); do
    xdotool search --onlyvisible --name '^Font$' >/dev/null 2>&1 || break
    sleep 0.2
done
xdotool search --onlyvisible --name '^Font$' >/dev/null 2>&1 && fail "Return on Cancel left the dialog open"
unchanged=$(shot unchanged)
# The preview and the font button's caption (not its focus frame) are as before.
(( $("$PIXELPROBE" diff "$closed" "$unchanged" $((x + 4)) $((y + 92)) 304 160) == 0 )) ||
    fail "Return on Cancel changed the preview"
(( $("$PIXELPROBE" diff "$closed" "$unchanged" $((x + 60)) $((y + 47)) 200 14) == 0 )) ||
    fail "Return on Cancel changed the font button's caption"

# Back to "Close" (font button, preview, Close) and press it with keypad Enter.
xdotool key shift+Tab shift+Tab
sleep 0.2
xdotool key KP_Enter
wait_exit 10 || fail "keypad Enter on the focused Close button did not end the program"
[[ "$EXIT_STATUS" == 0 ]] || fail "the program ended with status $EXIT_STATUS"
[[ -f "$PROGRAM_DIR/Tessaryn.ini" ]] || fail "no settings file was written"

# Esc with no list open is "Close".
start_program
xdotool key Escape
wait_exit 10 || fail "Esc with no list open did not end the program"
echo "keyboard: OK"
