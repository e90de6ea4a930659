#!/usr/bin/env bash
# The main window as a user meets it: it opens at its design size with this
# month in the preview, in the four kind colours; choosing another month
# redraws it; "Close" ends the program with status 0.
source "$(dirname "$0")/lib.sh"

start_xvfb
start_program

read -r x y w h < <(window_geometry "$MAIN_WIN")
[[ "$w $h" == "312 260" ]] || fail "main window is ${w}x${h}, expected the design 312x260"

# The preview box sits at (4, 92) inside the window; at its first size the
# font is 13 points, so columns start every 2F = 34.67 px and rows every F.
F=17.3333
cell() {  # cell ROW COLUMN -> "X Y W H" in screen pixels
    awk -v r="$1" -v c="$2" -v f="$F" -v ox="$x" -v oy="$y" \
        'BEGIN { printf "%d %d %d %d", ox + 4 + (2*c+1)*f, oy + 92 + (r+3)*f, 1.3*f, f }'
}
colour_of_column() { case $1 in 0) echo FF0000 ;; 6) echo 0000FF ;; *) echo FFFF00 ;; esac; }

# check_month SHOT YEAR MONTH: row 0 holds days from the month's first
# weekday on; row 1 is always full.
check_month() {
    local shot=$1 first wd
    first=$(date -d "$2-$3-01" +%w)  # 0 = Sunday
    for c in 0 1 2 3 4 5 6; do
        wd=$(colour_of_column "$c")
        n=$(count_colour "$shot" $(cell 1 "$c") "$wd")
        (( n > 5 )) || fail "row 1, column $c of $2-$3 has no $wd text ($n pixels)"
        n=$(count_colour "$shot" $(cell 0 "$c") "$wd")
        if (( c < first )); then
            (( n == 0 )) || fail "row 0, column $c of $2-$3 should be empty ($n pixels of $wd)"
        else
            (( n > 5 )) || fail "row 0, column $c of $2-$3 should hold a day ($n pixels of $wd)"
        fi
    done
    # the grey shadows are there too
    n=$(count_colour "$shot" $(cell 1 3) BEBEBE 30)
    (( n > 3 )) || fail "no grey drop shadow in row 1"
}

year=$(date +%Y)
month=$(date +%-m)
s1=$(shot first)
check_month "$s1" "$year" "$month"

# Choose another month with the mouse and the keyboard: open the month list,
# step one entry, confirm.
if (( month == 1 )); then key=Down; next=2; else key=Up; next=$((month - 1)); fi
click_at $((x + 276)) $((y + 15))
sleep 0.4
xdotool key "$key" Return
sleep 0.5
s2=$(shot second)
changed=$("$PIXELPROBE" diff "$s1" "$s2" $((x + 4)) $((y + 92)) 304 160)
(( changed > 100 )) || fail "the preview did not change after choosing month $next"
check_month "$s2" "$year" "$next"

# "Close" ends the program.
click_at $((x + 36)) $((y + 14))
wait_exit 10 || fail "the program did not end after Close"
[[ "$EXIT_STATUS" == 0 ]] || fail "the program ended with status $EXIT_STATUS"
[[ -f "$PROGRAM_DIR/Tessaryn.ini" ]] || fail "no settings file was written"
echo "main window: OK"
