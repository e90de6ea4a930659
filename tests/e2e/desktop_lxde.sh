#!/usr/bin/env bash
# The whole flow on a real LXDE desktop: pcmanfm draws a picture per
# workspace; "Drag Calendar" starts from the current workspace's picture, read
# from pcmanfm's settings; the finish hands Tessavel.bmp back through pcmanfm,
# which then shows the calendar on the screen, while the other workspace keeps
# its own picture.
source "$(dirname "$0")/lib.sh"
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR
command -v pcmanfm >/dev/null || fail "pcmanfm is not installed (scripts/deps.sh --test installs it)"
export TESSARYN_DESKTOP=lxde
# pcmanfm keeps the names it is given raw: "\s" in Tessavel.bmp's path is no blank.
export XDG_DATA_HOME="$E2E_TMP/da\\sta"
PCMANFM_PID=""
stop_pcmanfm() {
    [[ -n "$PCMANFM_PID" ]] && kill "$PCMANFM_PID" 2>/dev/null || true
    e2e_cleanup
}
trap stop_pcmanfm EXIT

start_xvfb 1280x800x24
WALL="$E2E_TMP/wall.bmp"
OTHER="$E2E_TMP/other.png"
convert -size 800x600 gradient:'#204070-#90b0e0' -depth 8 "BMP3:$WALL"
convert -size 64x48 xc:'#00c000' "$OTHER"
CONF="$XDG_CONFIG_HOME/pcmanfm/LXDE/desktop-items-0.conf"
mkdir -p "$(dirname "$CONF")"
printf '[*]\nwallpaper_mode=center\nwallpaper_common=0\nwallpapers_configured=2\nwallpaper0=%s\nwallpaper1=%s\n' \
    "$WALL" "$OTHER" >"$CONF"
pcmanfm --desktop --profile=LXDE >"$E2E_TMP/pcmanfm.log" 2>&1 &
PCMANFM_PID=$!
# pcmanfm centres the 800 x 600 picture on the 1280 x 800 screen.
WX=240 WY=100
for _ in $(seq 100); do
    n=$(count_colour "$(shot started)" $((WX + 10)) $((WY + 10)) 20 20 204070 40)
    (( n > 300 )) && break
    sleep 0.1
done
(( n > 300 )) || fail "pcmanfm does not show the wallpaper"

start_program
read -r mx my _ _ < <(window_geometry "$MAIN_WIN")
click_at $((mx + 118)) $((my + 14))  # "Drag Calendar"
FORM=$(wait_placement) || fail "the placement window did not open over pcmanfm's picture"
sleep 0.5
read -r fx fy fw fh < <(window_geometry "$FORM")
[[ "$fw $fh" == "800 600" ]] || fail "placement window ${fw}x$fh, expected the 800x600 wallpaper"

# A double-click on the calendar picture draws the calendar there; a
# double-click on the wallpaper, away from it, finishes.
xdotool mousemove --sync $((fx + 40)) $((fy + 30)) click --repeat 2 --delay 80 1
sleep 0.5
xdotool mousemove --sync $((fx + 600)) $((fy + 500)) click --repeat 2 --delay 80 1
for _ in $(seq 50); do
    placement_open || break
    sleep 0.1
done
placement_open && fail "the window stayed open after finishing"

OUT="$XDG_DATA_HOME/tessaryn/Tessavel.bmp"
[[ -s "$OUT" ]] || fail "no Tessavel.bmp"
# pcmanfm gets a copy under a name it has not shown (it crashes on one it has)
grep -qxF "wallpaper0=$XDG_DATA_HOME/tessaryn/.Tessavel.bmp.shown-3.bmp" "$CONF" ||
    fail "pcmanfm did not keep the calendar: $(grep wallpaper "$CONF")"
grep -qxF "wallpaper1=$OTHER" "$CONF" || fail "the other workspace lost its picture: $(grep wallpaper "$CONF")"

# Close the program; the screen then shows pcmanfm's desktop alone, with the
# calendar's yellow weekdays at the wallpaper's corner.
click_at $((mx + 36)) $((my + 14))  # "Close"
wait_exit 10 || fail "the program did not end"
for _ in $(seq 50); do
    n=$(count_colour "$(shot finished)" $WX $WY 260 140 FFFF00 60)
    (( n > 500 )) && break
    sleep 0.1
done
(( n > 500 )) || fail "pcmanfm does not show the calendar ($n yellow pixels)"
"$PROGRAM_DIR/tessaryn" restore >"$E2E_TMP/restore.log" 2>&1 || fail "restore: $(cat "$E2E_TMP/restore.log")"
COPY="$XDG_DATA_HOME/tessaryn/.wall.bmp.shown-3.bmp"
grep -qxF "wallpaper0=$COPY" "$CONF" && cmp -s "$COPY" "$WALL" && [[ $(cat "$COPY.source") == "$WALL" ]] ||
    fail "pcmanfm did not get the original back: $(grep wallpaper "$CONF")"
kill -0 "$PCMANFM_PID" || fail "pcmanfm ended"
echo "PASS"
