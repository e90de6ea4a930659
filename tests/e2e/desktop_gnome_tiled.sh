#!/usr/bin/env bash
# A tiled wallpaper on the real GNOME Shell, headless on Wayland, the program
# on its Xwayland. GNOME repeats the tile from one centred on the monitor. The
# placement window shows the tiles where GNOME shows them; the calendar,
# dropped across the tiles' edges and finished, shows where it was dropped,
# and every tile away from it stays as it was.
# Mutter draws a tiled picture over a solid background colour as one copy
# stretched over the monitor; over a gradient it tiles. The run sets a
# gradient (GNOME_SHADING=solid shows the stretch).
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
gsettings set $BG color-shading-type "${GNOME_SHADING:-vertical}"
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

start_program
read -r mx my _ _ < <(window_geometry "$MAIN_WIN")
click_at $((mx + 118)) $((my + 14))  # "Drag Calendar"
FORM=$(wait_placement) || fail "the placement window did not open"
for _ in $(seq 50); do
    (($(count_colour "$(shot opened)" 270 100 30 10 FFFFFF 8) >= 290)) && break
    sleep 0.2
done
read -r fx fy fw fh < <(window_geometry "$FORM")
echo "placement window at $fx,$fy ${fw}x$fh"
[[ "$fx $fy $fw $fh" == "0 0 1280 800" ]] || fail "the placement window is not the screen"
# Below the calendar picture in its corner, the window shows the screen as
# GNOME showed it.
shown=$("$PIXELPROBE" diff "$before" "$E2E_TMP/opened.png" 0 170 1280 630)
echo "placement window: $shown pixels differ from the desktop below y 170"
((shown == 0)) || fail "the placement window shows other tiles than GNOME"

TX=400 TY=240
xdotool mousemove --sync 40 30 mousedown 1
xdotool mousemove --sync 140 130
xdotool mousemove --sync $((TX + 40)) $((TY + 30))
sleep 0.2
xdotool mouseup 1
xdotool mousemove 1279 799
sleep 0.5
dropped=$(ink "$(shot dropped)" $((TX - 10)) $((TY - 10)) 330 190)
xdotool mousemove --sync $((TX + 150)) $((TY + 80)) click --repeat 2 --delay 80 1
sleep 0.5
xdotool mousemove --sync 100 600 click --repeat 2 --delay 80 1
placement_closes || fail "the window stayed open after finishing"
click_at $((mx + 36)) $((my + 14))  # "Close"
wait_exit 10 || fail "the program did not end"
read -r dx dy dw dh <<<"$dropped"
[[ "$dx" != none ]] || fail "no calendar picture where it was dropped"
OUT="$XDG_DATA_HOME/tessaryn/Tessavel.bmp"
for _ in $(seq 50); do
    after=$(shot tiled-after)
    read -r px py pw ph <<<"$(ink "$after" $((TX - 40)) $((TY - 40)) 400 260)"
    [[ "$px" != none ]] && ((px - dx <= 1 && dx - px <= 1 && py - dy <= 1 && dy - py <= 1)) && break
    sleep 0.2
done
echo "ink dropped $dropped, on the desktop $px $py $pw $ph; Tessavel.bmp" \
    "$(identify -format '%wx%h' "$OUT"), $(gsettings get $BG picture-options)," \
    "$(gsettings get $BG picture-uri)"
[[ "$px" != none ]] || fail "GNOME does not show the calendar"
((px - dx <= 1 && dx - px <= 1 && py - dy <= 1 && dy - py <= 1 && pw - dw <= 1 && dw - pw <= 1 &&
    ph - dh <= 1 && dh - ph <= 1)) || fail "the calendar shows at $px,$py ${pw}x$ph, dropped $dropped"
# Tessavel.bmp is a block of whole tiles that GNOME repeats from one centred
# on the screen: the calendar shows once in each copy of the block. Each copy
# of the calendar's box (its ink and the white title line above it) taken
# from the before-shot, the after-shot must be the before-shot again (the
# top bar and its clock left out).
read -r bw bh < <("$PIXELPROBE" size "$OUT")
box="$((pw + 24))x$((ph + 62))"
masked="$E2E_TMP/tiled-masked.png"
cp "$after" "$masked"
for ((y = (py - 50) % bh - bh; y < 800; y += bh)); do
    for ((x = (px - 12) % bw - bw; x < 1280; x += bw)); do
        convert "$masked" \( "$before" -crop "$box+$((x < 0 ? 0 : x))+$((y < 0 ? 0 : y))" +repage \) \
            -geometry "+$((x < 0 ? 0 : x))+$((y < 0 ? 0 : y))" -composite "$masked"
    done
done
changed=$("$PIXELPROBE" diff "$before" "$masked" 0 32 1280 768)
echo "$changed pixels changed away from the calendar"
((changed == 0)) || fail "the tiles away from the calendar changed ($changed pixels in" \
    "$("$PIXELPROBE" bbox "$before" "$masked" 0 32 1280 768))"
echo "PASS"
