#!/usr/bin/env bash
# The month rule, on the clock (faketime): a calendar placed in the last week
# of December for January shows January from 1 January on; one placed
# earlier in the month, and one from a record without the day, keep their
# offset. The record here is one from before the kept copy had a hash: the
# first refresh checks it by size and time and records the hash. The month
# titles are drawn in the record's locale, whatever the refresh's LANG.
source "$(dirname "$0")/lib.sh"
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR
command -v faketime >/dev/null || fail "faketime is missing (scripts/deps.sh --test)"

rec_set() { "$TESSARYN_REG" add "$RECORD_KEY" /v "$1" /d "$2" /f >/dev/null; }
# NO_FAKE_STAT: files keep their real times (libfaketime may fake them too).
on() { local day=$1; shift; LC_ALL=C.UTF-8 NO_FAKE_STAT=1 faketime "$day" env -u DISPLAY -u WAYLAND_DISPLAY "$PROGRAM_DIR/tessaryn" "$@"; }

WALL="$E2E_TMP/wall.png"
convert -size 800x600 gradient:'#305080-#a0c0e0' -depth 8 "PNG24:$WALL"
DATA="$XDG_DATA_HOME/tessaryn"
OUT="$DATA/Tessavel.bmp"
KEPT="$DATA/original.png"
mkdir -p "$DATA"
cp "$WALL" "$KEPT"
touch -d '2027-12-28 10:00:00' "$KEPT"
"$TESSARYN_REG" add "$DESKTOP_KEY" /v Wallpaper /d "$OUT" /f >/dev/null
rec_set Original "$WALL"
rec_set Kept "$KEPT"
rec_set KeptSize "$(stat -c %s "$KEPT")"
rec_set KeptModified "$(($(stat -c %Y "$KEPT") * 1000))"
rec_set Desktop none
rec_set Output "$OUT"
rec_set ComposedFor 2027-12
rec_set Locale ja_JP
look='px=17.333333333333332;style=;colors=0x00ffffff,0x000000ff,0x00ff0000,0x0000ffff'
rec_set 'Calendar 1' "at=301,301;$look;placed=2027-12;offset=1;face=Liberation%20Sans;placedOn=2027-12-28"
rec_set 'Calendar 2' "at=11,11;$look;placed=2027-12;offset=1;face=Liberation%20Sans"
rec_set 'Calendar 3' "at=401,11;$look;placed=2027-12;offset=1;face=Liberation%20Sans;placedOn=2027-12-10"

# expect FILE MONTH1 MONTH2 MONTH3: the three calendars, each for its month.
expect() {
    local base="$WALL" i=0 at
    for at in 301,301 11,11 401,11; do
        i=$((i + 1))
        LC_ALL=ja_JP.UTF-8 cli compose --base "$base" --year "${2:$((i * 8 - 8)):4}" --month "$((10#${2:$((i * 8 - 3)):2}))" \
            --at "$at" --font 'Liberation Sans' --out "$E2E_TMP/step$i.bmp" >/dev/null
        base="$E2E_TMP/step$i.bmp"
    done
    n=$("$PIXELPROBE" diff "$OUT" "$base" 0 0 800 600)
    [[ "$n" == 0 ]] || fail "$1: the picture is not $2 ($n pixels differ)"
}

on '2027-12-30 10:00:00' refresh >"$E2E_TMP/dec.log" || fail "refresh on 30 December failed: $(cat "$E2E_TMP/dec.log")"
expect "30 December" "2028-01 2028-01 2028-01"
[[ $(record_value KeptHash) =~ ^[0-9a-f]{32}$ ]] || fail "the old record got no hash: $(record_value KeptHash)"
on '2028-01-01 00:30:00' refresh >"$E2E_TMP/jan.log" || fail "refresh on 1 January failed: $(cat "$E2E_TMP/jan.log")"
expect "1 January" "2028-01 2028-02 2028-02"
grep -q 'calendar 1 shows 2028-01 (.*this month' "$E2E_TMP/jan.log" || fail "refresh does not say what calendar 1 shows: $(cat "$E2E_TMP/jan.log")"
grep -q 'calendar 2 shows 2028-02 (next month)' "$E2E_TMP/jan.log" || fail "refresh does not say what calendar 2 shows: $(cat "$E2E_TMP/jan.log")"
cli list >"$E2E_TMP/list.log"
grep -q '^2\. .*(next month)' "$E2E_TMP/list.log" || fail "list does not give calendar 2's rule: $(cat "$E2E_TMP/list.log")"
grep -q '^1\. .*this month from 2028-01' "$E2E_TMP/list.log" || fail "list does not give calendar 1's rule: $(cat "$E2E_TMP/list.log")"
on '2028-01-20 12:00:00' refresh | grep -q 'already current' || fail "a refresh later in January renewed again"
echo "month rule: OK"
