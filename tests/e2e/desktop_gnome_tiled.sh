#!/usr/bin/env bash
# A tiled wallpaper on the real GNOME Shell, headless on Wayland, the program
# on its Xwayland. GNOME repeats the tile from one centred on the monitor. The
# placement window shows the tiles where GNOME shows them; the calendar,
# dropped across the tiles' edges and finished, shows where it was dropped,
# and every tile away from it stays as it was.
# Mutter draws a tiled picture over a solid background colour (GNOME's
# default) as one copy stretched over the monitor and rolled; over a
# gradient it tiles. The first round sets a gradient, the second the solid
# colour: there the window shows the stretched copy as GNOME does, and the
# calendar shows where and as large as it was dropped, also after a refresh.
source "$(dirname "$0")/gnome_shell.sh"
source "$(dirname "$0")/lib.sh"
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR
trap 'stop_gnome_shell; e2e_cleanup' EXIT
export TESSARYN_DESKTOP=gnome
BG=org.gnome.desktop.background
INKS=(FF0000 0000FF FFFF00)
ink() { "$PIXELPROBE" ink "$1" "$2" "$3" "$4" "$5" 90 "${INKS[@]}"; }
start_gnome_shell wayland

# A 300 x 200 grid tile with a mark near its corner; the tile centred on the
# 1280 x 800 monitor has its corner at 490, 300, its mark at 510, 320.
TILE="$E2E_TMP/tile.png"
lines="line 0,100 300,100 line 100,0 100,200 line 200,0 200,200"
convert -size 300x200 xc:'#404040' -fill none -stroke '#a0a0a0' -draw "$lines" \
    -fill '#707070' -stroke none -draw 'rectangle 20,20 50,40' -depth 8 "PNG24:$TILE"
gsettings set $BG color-shading-type vertical
gsettings set $BG picture-options wallpaper
gsettings set $BG picture-uri "file://$TILE"
marks() { count_colour "$1" "$2" "$3" 30 20 707070 8; }
for _ in $(seq 50); do
    before=$(shot tiled-before)
    (($(marks "$before" 210 120) == 600 && $(marks "$before" 810 520) == 600)) && break
    sleep 0.2
done
(($(marks "$before" 210 120) == 600 && $(marks "$before" 810 520) == 600)) ||
    fail "GNOME does not show the tiles from one centred on the screen"

# open_placement NAME: the program's placement window, covering the screen,
# the calendar picture in its corner, shot as NAME.
open_placement() {
    start_program
    read -r mx my _ _ < <(window_geometry "$MAIN_WIN")
    click_at $((mx + 118)) $((my + 14))  # "Drag Calendar"
    FORM=$(wait_placement) || fail "the placement window did not open"
    for _ in $(seq 50); do
        opened=$(shot "$1")
        (($(count_colour "$opened" 270 100 30 10 FFFFFF 8) >= 290)) && break
        sleep 0.2
    done
    read -r fx fy fw fh < <(window_geometry "$FORM")
    echo "placement window at $fx,$fy ${fw}x$fh"
    [[ "$fx $fy $fw $fh" == "0 0 1280 800" ]] || fail "the placement window is not the screen"
}

# drop_and_finish TX TY: drags the calendar picture's corner to TX, TY
# (its ink then in $dropped), previews, finishes and ends the program.
drop_and_finish() {
    xdotool mousemove --sync 40 30 mousedown 1
    xdotool mousemove --sync 140 130
    xdotool mousemove --sync $(($1 + 40)) $(($2 + 30))
    sleep 0.2
    xdotool mouseup 1
    xdotool mousemove 1279 799
    sleep 0.5
    dropped=$(ink "$(shot dropped)" $(($1 - 10)) $(($2 - 10)) 330 190)
    xdotool mousemove --sync $(($1 + 150)) $(($2 + 80)) click --repeat 2 --delay 80 1
    sleep 0.5
    xdotool mousemove --sync 100 600 click --repeat 2 --delay 80 1
    placement_closes || fail "the window stayed open after finishing"
    click_at $((mx + 36)) $((my + 14))  # "Close"
    wait_exit 10 || fail "the program did not end"
    [[ "$dropped" != none ]] || fail "no calendar picture where it was dropped"
}

OUT="$XDG_DATA_HOME/tessaryn/Tessavel.bmp"
# on_desktop NAME: the calendar's ink GNOME shows near the drop ($px $py $pw
# $ph), which must be within 1 px of where it was dropped ($dx $dy $dw $dh).
on_desktop() {
    read -r dx dy dw dh <<<"$dropped"
    for _ in $(seq 50); do
        after=$(shot "$1")
        read -r px py pw ph <<<"$(ink "$after" $((TX - 40)) $((TY - 40)) 420 280)"
        [[ "$px" != none ]] && ((px - dx <= 1 && dx - px <= 1 && py - dy <= 1 && dy - py <= 1)) &&
            break
        sleep 0.2
    done
    echo "ink dropped $dropped, on the desktop $px $py $pw $ph; Tessavel.bmp" \
        "$(identify -format '%wx%h' "$OUT"), $(gsettings get $BG picture-options)"
    [[ "$px" != none ]] || fail "GNOME does not show the calendar"
    ((px - dx <= 1 && dx - px <= 1 && py - dy <= 1 && dy - py <= 1)) ||
        fail "the calendar shows at $px,$py ${pw}x$ph, dropped $dropped"
}

open_placement opened
# Below the calendar picture in its corner, the window shows the screen as
# GNOME showed it.
shown=$("$PIXELPROBE" diff "$before" "$E2E_TMP/opened.png" 0 170 1280 630)
echo "placement window: $shown pixels differ from the desktop below y 170"
((shown == 0)) || fail "the placement window shows other tiles than GNOME"

TX=400 TY=240
drop_and_finish $TX $TY
on_desktop tiled-after
((pw - dw <= 1 && dw - pw <= 1 && ph - dh <= 1 && dh - ph <= 1)) ||
    fail "the calendar shows ${pw}x$ph, dropped ${dw}x$dh"
# Tessavel.bmp is a block of whole tiles that GNOME repeats from one centred
# on the screen: the calendar shows once in each copy of the block. Each copy
# of the calendar's box (its ink and the white title line above it) taken
# from the before-shot, the after-shot must be the before-shot again (the
# top bar and its clock left out).
masked=$(masked_copies "$before" "$after" "$OUT")
changed=$("$PIXELPROBE" diff "$before" "$masked" 0 32 1280 768)
echo "$changed pixels changed away from the calendar"
((changed == 0)) || fail "the tiles away from the calendar changed ($changed pixels in" \
    "$("$PIXELPROBE" bbox "$before" "$masked" 0 32 1280 768))"

# Over the solid colour GNOME shows one copy of the tile stretched 1280 / 300
# across and 4 down, rolled to start with the column and row that the tile
# centred at 490, 300 has at the corner: its mark (20, 20 to 50, 40) at 896,
# 480 to 1024, 560. GNOME's GL and Qt filter it a few levels apart.
gsettings set $BG color-shading-type solid
gsettings set $BG picture-uri "file://$TILE"
gsettings set $BG picture-options wallpaper
for _ in $(seq 50); do
    before=$(shot stretched-before)
    (($(count_colour "$before" 900 484 120 72 707070 8) == 8640)) && break
    sleep 0.2
done
(($(count_colour "$before" 900 484 120 72 707070 8) == 8640)) || fail "GNOME shows no stretched tile"
open_placement stretched-opened
near=$("$PIXELPROBE" diff "$before" "$opened" 0 170 1280 630 4)
echo "placement window: $("$PIXELPROBE" diff "$before" "$opened" 0 170 1280 630) pixels" \
    "differ from GNOME's below y 170, $near by more than 4 levels"
((near == 0)) || fail "the placement window does not show the tile as GNOME stretches it"
TX=420 TY=278
drop_and_finish $TX $TY
on_desktop stretched-after
((pw - dw <= 1 + dw / 50 && dw - pw <= 1 + dw / 50 && ph - dh <= 1 + dh / 50 &&
    dh - ph <= 1 + dh / 50)) || fail "the calendar shows ${pw}x$ph, dropped ${dw}x$dh"
# Renewed for the month after, it stays where it was dropped.
cli refresh --date "$(date -d "$(date +%Y-%m-01) +1 month" +%F)" | grep -q Renewed ||
    fail "the refresh did not renew the picture"
for _ in $(seq 50); do
    "$PIXELPROBE" diff "$(shot refreshed)" "$after" 0 170 1280 630 | grep -qvx 0 && break
    sleep 0.2
done
on_desktop refreshed
echo "PASS"
