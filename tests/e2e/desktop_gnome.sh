#!/usr/bin/env bash
# The calendar lands where it was dropped on a real GNOME Shell. For each
# picture option (zoom, stretched, spanned, centred) a grid picture becomes
# GNOME's wallpaper; the calendar picture is dragged to a spot and finished,
# and the screenshot of the desktop GNOME then draws shows the calendar's ink
# within 1 px of the dropped picture's ink and within 2 % of its size.
source "$(dirname "$0")/gnome_shell.sh"
source "$(dirname "$0")/lib.sh"
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR
trap 'stop_gnome_shell; e2e_cleanup' EXIT
export TESSARYN_DESKTOP=gnome
BG=org.gnome.desktop.background
INKS=(FF0000 0000FF FFFF00)  # Sunday, Saturday, weekdays
ink() { "$PIXELPROBE" ink "$1" "$2" "$3" "$4" "$5" 90 "${INKS[@]}"; }
shown() { gsettings get $BG picture-uri | tr -d "'"; }

start_xvfb 1280x800x24
start_gnome_shell

# grid W H FILE: dark grey with a light line every 100 px.
grid() {
    local lines="" i
    for ((i = 0; i < $1; i += 100)); do lines+="line $i,0 $i,$2 "; done
    for ((i = 0; i < $2; i += 100)); do lines+="line 0,$i $1,$i "; done
    # and a mark near the corner, which tells tiles apart
    convert -size "$1x$2" xc:'#404040' -fill none -stroke '#a0a0a0' -draw "$lines" \
        -fill '#707070' -stroke none -draw 'rectangle 20,20 50,40' "$3"
}

# place MODE W H REGION TX TY: GNOME shows a W x H grid with MODE; the
# placement window must show it at REGION ("X Y W H"); the picture is dropped
# with its corner at TX, TY and finished there.
place() {
    local mode=$1 w=$2 h=$3 region=$4 tx=$5 ty=$6
    local wall="$E2E_TMP/grid-$mode.png"
    grid "$w" "$h" "$wall"
    gsettings set $BG picture-uri "file://$wall"
    gsettings set $BG picture-options "$mode"
    sleep 1
    # GNOME keeps a picture it showed in its cache, and a Tessavel.bmp
    # replaced while it shows another picture can come back from there: each
    # round writes its own.
    export XDG_DATA_HOME="$E2E_TMP/data-$mode"
    start_program
    read -r mx my _ _ < <(window_geometry "$MAIN_WIN")
    click_at $((mx + 118)) $((my + 14))  # "Drag Calendar"
    local form fx fy fw fh
    form=$(wait_placement) || fail "$mode: the placement window did not open"
    read -r rx ry _ _ <<<"$region"
    # The window manager settles the window: wait for the region's corner to
    # show the calendar picture's white (right of its text).
    for _ in $(seq 50); do
        (($(count_colour "$(shot opened)" $((rx + 270)) $((ry + 100)) 30 10 FFFFFF 8) >= 290)) && break
        sleep 0.2
    done
    read -r fx fy fw fh < <(window_geometry "$form")
    echo "$mode: placement window at $fx,$fy ${fw}x$fh for the wallpaper at $region"
    read -r cx cy _ _ <<<"$(ink "$(shot opened)" $rx $ry 320 180)"
    [[ "$cx $cy" != "none " ]] || fail "$mode: no calendar picture at the wallpaper's corner"
    xdotool mousemove --sync $((rx + 40)) $((ry + 30)) mousedown 1
    xdotool mousemove --sync $((rx + 140)) $((ry + 130))
    xdotool mousemove --sync $((tx + 40)) $((ty + 30))
    sleep 0.2
    xdotool mouseup 1
    xdotool mousemove 1 799  # no hint over the picture
    sleep 0.5
    local dropped
    dropped=$(ink "$(shot dropped)" $((tx - 10)) $((ty - 10)) 330 190)
    xdotool mousemove --sync $((tx + 150)) $((ty + 80)) click --repeat 2 --delay 80 1
    xdotool mousemove 1 799
    sleep 1
    local preview
    preview=$(ink "$(shot preview)" $((tx - 10)) $((ty - 10)) 330 190)
    # Finish with a double-click on the wallpaper away from the calendar.
    xdotool mousemove --sync $((rx + 20)) $((ry + 500)) click --repeat 2 --delay 80 1
    for _ in $(seq 100); do
        [[ $(shown) == *Tessavel.bmp ]] && ! placement_open && break
        sleep 0.1
    done
    [[ $(shown) == *Tessavel.bmp ]] || fail "$mode: GNOME was not given Tessavel.bmp: $(shown)"
    [[ $(gsettings get $BG picture-options) == "'$mode'" ]] || fail "$mode: the option changed"
    click_at $((mx + 36)) $((my + 14))  # "Close"
    wait_exit 10 || fail "$mode: the program did not end"
    # GNOME reloads a picture it showed before (Tessavel.bmp again) once it
    # sees the file change: wait until it shows this one.
    local dx dy dw dh px py pw ph desk=none
    read -r dx dy dw dh <<<"$dropped"
    [[ "$dx" != none ]] || fail "$mode: no calendar picture where it was dropped"
    for _ in $(seq 40); do
        sleep 0.5
        desk=$(ink "$(shot desktop-$mode)" $((tx - 40)) $((ty - 40)) 400 260)
        read -r px py pw ph <<<"$desk"
        [[ "$px" != none ]] && ((px - dx <= 1 && dx - px <= 1 && py - dy <= 1 && dy - py <= 1)) &&
            ((50 * (pw - dw) <= dw && 50 * (dw - pw) <= dw)) &&
            ((50 * (ph - dh) <= dh && 50 * (dh - ph) <= dh)) && break
    done
    echo "$mode: ink dropped $dropped, previewed $preview, on the desktop $desk;" \
        "Tessavel.bmp $(identify -format '%wx%h' "$XDG_DATA_HOME/tessaryn/Tessavel.bmp")"
    [[ "$px" != none ]] || fail "$mode: GNOME does not show the calendar"
    ((px - dx <= 1 && dx - px <= 1 && py - dy <= 1 && dy - py <= 1)) ||
        fail "$mode: the calendar shows at $px,$py, dropped at $dx,$dy"
    ((50 * (pw - dw) <= dw && 50 * (dw - pw) <= dw && 50 * (ph - dh) <= dh && 50 * (dh - ph) <= dh)) ||
        fail "$mode: the calendar shows ${pw}x$ph, dropped ${dw}x$dh"
}

place zoom 1920 1200 "0 0 1280 800" 618 402
place stretched 1000 1000 "0 0 1280 800" 900 500
place spanned 3000 1000 "0 0 1280 800" 118 300
place centered 800 600 "240 100 800 600" 400 300
echo "PASS"
