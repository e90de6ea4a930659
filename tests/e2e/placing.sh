# Placing with the real window, for the scripts about the composition
# record. Source after lib.sh and start_program; OX, OY: where the
# wallpaper's top-left corner is on the screen; mx, my: the main window's.

# place DX DY [RACE]: opens "Drag Calendar", drags the calendar picture by
# (DX, DY) from the top-left corner, previews; runs RACE (a command that may
# add the ids of processes to wait for to RACE) and finishes at once.
place() {
    click_at $((mx + 118)) $((my + 14))
    wait_placement >/dev/null || fail "the placement window did not open"
    sleep 0.5
    xdotool mousemove --sync $((OX + 40)) $((OY + 30)) mousedown 1
    xdotool mousemove --sync $((OX + 40 + $1 / 2)) $((OY + 30 + $2 / 2))
    xdotool mousemove --sync $((OX + 40 + $1)) $((OY + 30 + $2))
    sleep 0.2
    xdotool mouseup 1
    sleep 0.4
    xdotool mousemove --sync $((OX + 150 + $1)) $((OY + 80 + $2)) click --repeat 2 --delay 80 1
    sleep 0.8
    RACE=()
    [[ -n "${3:-}" ]] && eval "$3"
    xdotool mousemove --sync $((OX + 780)) $((OY + 590)) click --repeat 2 --delay 80 1
    for _ in $(seq 100); do
        placement_open || break
        sleep 0.1
    done
    placement_open && fail "the placement window did not close"
    [[ ${#RACE[@]} == 0 ]] || wait "${RACE[@]}"
}
