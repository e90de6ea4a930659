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
placement_closes || fail "the window stayed open after finishing"

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

# Tiled: pcmanfm repeats a 300 x 200 grid tile from the screen's corner. The
# calendar, dropped across the tiles' edges, shows on the desktop where it
# was dropped, and every tile away from it stays as it was.
TILE="$E2E_TMP/tile.png"
lines="line 0,100 300,100 line 100,0 100,200 line 200,0 200,200"
convert -size 300x200 xc:'#404040' -fill none -stroke '#a0a0a0' -draw "$lines" \
    -fill '#707070' -stroke none -draw 'rectangle 20,20 50,40' -depth 8 "PNG24:$TILE"
pcmanfm --set-wallpaper="$TILE" --wallpaper-mode=tile
for _ in $(seq 50); do
    before=$(shot tiled-before)
    (($(count_colour "$before" 920 220 30 20 707070 8) == 600)) && break  # the tile at 900,200
    sleep 0.1
done
if (($(count_colour "$before" 920 220 30 20 707070 8) != 600)); then
    # Debian 13's pcmanfm (1.4.0) draws a tiled picture once, in the screen's
    # corner, and black around it: there are no tiles to place across.
    (($(count_colour "$before" 20 20 30 20 707070 8) == 600)) || fail "pcmanfm shows no tile at all"
    echo "tiled: pcmanfm $(dpkg-query -W -f '${Version}' pcmanfm 2>/dev/null) draws one tile in" \
        "the corner, not tiles; the tiled round needs a pcmanfm that tiles"
    echo "PASS"
    exit 0
fi
INKS=(FF0000 0000FF FFFF00)
ink() { "$PIXELPROBE" ink "$1" "$2" "$3" "$4" "$5" 90 "${INKS[@]}"; }
start_program
read -r mx my _ _ < <(window_geometry "$MAIN_WIN")
click_at $((mx + 118)) $((my + 14))  # "Drag Calendar"
FORM=$(wait_placement) || fail "tiled: the placement window did not open"
sleep 0.5
read -r fx fy fw fh < <(window_geometry "$FORM")
[[ "$fx $fy $fw $fh" == "0 0 1280 800" ]] || fail "tiled: placement window $fx,$fy ${fw}x$fh, not the screen"
TX=540 TY=160
xdotool mousemove --sync 40 30 mousedown 1
xdotool mousemove --sync 140 130
xdotool mousemove --sync $((TX + 40)) $((TY + 30))
sleep 0.2
xdotool mouseup 1
xdotool mousemove 1279 799
sleep 0.5
dropped=$(ink "$(shot tiled-dropped)" $((TX - 10)) $((TY - 10)) 330 190)
xdotool mousemove --sync $((TX + 150)) $((TY + 80)) click --repeat 2 --delay 80 1
sleep 0.5
xdotool mousemove --sync 100 600 click --repeat 2 --delay 80 1
placement_closes || fail "tiled: the window stayed open after finishing"
click_at $((mx + 36)) $((my + 14))  # "Close"
wait_exit 10 || fail "tiled: the program did not end"
read -r dx dy dw dh <<<"$dropped"
[[ "$dx" != none ]] || fail "tiled: no calendar picture where it was dropped"
for _ in $(seq 50); do
    after=$(shot tiled-after)
    read -r px py pw ph <<<"$(ink "$after" $((TX - 40)) $((TY - 40)) 400 260)"
    [[ "$px" != none ]] && ((px - dx <= 1 && dx - px <= 1 && py - dy <= 1 && dy - py <= 1)) && break
    sleep 0.1
done
echo "tiled: ink dropped $dropped, on the desktop $px $py $pw $ph; Tessavel.bmp" \
    "$(identify -format '%wx%h' "$OUT"), $(grep wallpaper_mode "$CONF")"
[[ "$px" != none ]] || fail "tiled: pcmanfm does not show the calendar"
((px - dx <= 1 && dx - px <= 1 && py - dy <= 1 && dy - py <= 1 && pw - dw <= 1 && dw - pw <= 1 &&
    ph - dh <= 1 && dh - ph <= 1)) || fail "tiled: the calendar shows at $px,$py ${pw}x$ph, dropped $dropped"
# Tessavel.bmp is a block of whole tiles that pcmanfm repeats: the calendar
# shows once in each copy of the block. Everything else is as it was: the
# before-shot's pixels put over each copy of the calendar's box (its ink and
# the white title line above it) must give the after-shot.
masked=$(masked_copies "$before" "$after" "$OUT")
changed=$("$PIXELPROBE" diff "$before" "$masked" 0 0 1280 800)
echo "tiled: $changed pixels changed away from the calendar"
((changed == 0)) || fail "tiled: the tiles away from the calendar changed ($changed pixels in $("$PIXELPROBE" bbox "$before" "$masked"))"
echo "PASS"
