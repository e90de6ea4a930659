#!/usr/bin/env bash
# A finish that meets refreshes: the window's finish composes every recorded
# calendar on the kept original for this month, as a refresh does, under the
# same lock. A second calendar finished after a refresh for another month,
# and finishes with two refreshes at once, end with a picture equal to the
# record's own composition (checked by composing the record afresh).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/placing.sh"
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR

ym() { date -d "$1" '+--year %Y --month %-m'; }

start_xvfb 1280x800x24
noisy_wallpaper_at_100_50
THIS=$(date +%Y-%m-01)
LAST=$(date -d "$THIS -1 month" +%Y-%m-15)
NEXT=$(date -d "$THIS +1 month" +%Y-%m-03)

# The record's own composition for its month equals the picture.
check_consistent() {
    local month picture="$E2E_TMP/picture.bmp"
    month=$(record_value ComposedFor)
    [[ -n "$month" ]] || fail "$1: the record is left without a composed month"
    cp "$OUT" "$picture"
    "$TESSARYN_REG" add "$RECORD_KEY" /v ComposedFor /d "" /f >/dev/null
    cli refresh --date "$month-01" >/dev/null || fail "$1: the record cannot be composed"
    n=$("$PIXELPROBE" diff "$picture" "$OUT" 0 0 800 600)
    [[ "$n" == 0 ]] || fail "$1: the picture differs from the record's composition in $n pixels"
    n=$("$TESSARYN_REG" query "$RECORD_KEY" | grep -c '^ *Calendar [0-9]')
    [[ "$n" == "$2" ]] || fail "$1: the record holds $n calendars, not $2"
}

start_program
read -r mx my _ _ < <(window_geometry "$MAIN_WIN")
place 300 300
grep -q "placedOn=$(date +%F)" <<<"$(record_value 'Calendar 1')" || fail "the finish keeps no day: $(record_value 'Calendar 1')"
cli refresh --date "$LAST" >/dev/null
# A second calendar, with a refresh for this month between its preview and
# its finish: the first calendar must show this month in the picture.
place 10 10 'cli refresh >/dev/null'
[[ $(record_value ComposedFor) == $(date +%Y-%m) ]] || fail "the finish did not compose for this month"
cli compose --base "$WALL" $(ym "$THIS") --at 301,301 --out "$E2E_TMP/one.bmp" >/dev/null
cli compose --base "$E2E_TMP/one.bmp" $(ym "$THIS") --at 11,11 --out "$E2E_TMP/two.bmp" >/dev/null
n=$("$PIXELPROBE" diff "$OUT" "$E2E_TMP/two.bmp" 0 0 800 600)
[[ "$n" == 0 ]] || fail "the finish did not draw both calendars for this month ($n pixels differ)"
check_consistent "finish after a refresh" 2
echo "finish after a refresh: OK"

# Finishes with two refreshes at once, for other months.
for round in 1 2 3; do
    place $((round * 60)) 200 "cli refresh --date $NEXT >/dev/null 2>&1 & RACE+=(\$!); cli refresh --date $LAST >/dev/null 2>&1 & RACE+=(\$!)"
    check_consistent "finish with two refreshes (round $round)" $((2 + round))
done
echo "finish with two refreshes: OK"
click_at $((mx + 36)) $((my + 14))
wait_exit 10 || fail "the program did not end after Close"
echo "finish race: OK"
