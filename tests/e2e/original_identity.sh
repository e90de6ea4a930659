#!/usr/bin/env bash
# The kept original is known by its content. A picture replaced by another of
# the same size with the old time kept (cp -p) and placed on again is a new
# original; a kept copy with the same bytes and a new time is used; a missing
# one is kept again from the original while that is unchanged; a kept copy
# with other bytes, or a missing one whose original changed, stops the
# refresh with the way out and changes nothing.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/placing.sh"
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR

above() { "$PIXELPROBE" diff "$1" "$OUT" 0 0 800 300; }

start_xvfb 1280x800x24
WALL="$E2E_TMP/wall.bmp"
OTHER="$E2E_TMP/other.bmp"
convert -size 800x600 gradient:'#305080-#a0c0e0' -type TrueColor "BMP3:$WALL"
convert -size 800x600 gradient:'#806030-#e0c0a0' -type TrueColor "BMP3:$OTHER"
touch -d '2020-01-01' "$OTHER"
[[ $(stat -c %s "$WALL") == $(stat -c %s "$OTHER") ]] || fail "the two pictures differ in size"
reg_set Wallpaper "$WALL"
reg_set WallpaperOriginX 100
reg_set WallpaperOriginY 50
OUT="$XDG_DATA_HOME/tessaryn/Tessavel.bmp"
OX=100 OY=50
THIS=$(date +%Y-%m-01)
NEXT=$(date -d "$THIS +1 month" +%Y-%m-03)
LATER=$(date -d "$THIS +2 month" +%Y-%m-03)

start_program
read -r mx my _ _ < <(window_geometry "$MAIN_WIN")
place 300 300
cli restore >/dev/null
cp -p "$OTHER" "$WALL"  # same size, its old time kept
place 300 300
click_at $((mx + 36)) $((my + 14))
wait_exit 10 || fail "the program did not end after Close"
KEPT=$(record_value Kept)
cmp -s "$KEPT" "$OTHER" || fail "the replaced picture was not kept as the new original"
cli refresh --date "$NEXT" >/dev/null
[[ $(above "$OTHER") == 0 ]] || fail "the refresh brought the old picture back"
echo "a replaced original of the same size and an older time: OK"

touch "$KEPT"  # restored from a backup: the same bytes, a new time
cli refresh --date "$LATER" >"$E2E_TMP/log" || fail "a kept copy with a new time was refused: $(cat "$E2E_TMP/log")"
rm "$KEPT"
cli refresh --date "$NEXT" >"$E2E_TMP/log" || fail "a missing kept copy was not kept again: $(cat "$E2E_TMP/log")"
cmp -s "$KEPT" "$OTHER" || fail "the kept copy was not made again from the original"
[[ $(above "$OTHER") == 0 ]] || fail "the refresh after keeping again drew another picture"
echo "a kept copy with a new time, a missing kept copy: OK"

before=$(stamp "$OUT")
convert -size 800x600 xc:'#102030' -type TrueColor "BMP3:$KEPT"
if cli refresh --date "$LATER" 2>"$E2E_TMP/err"; then fail "a kept copy with other bytes was used"; fi
grep -q 'was changed.*Drag Calendar' "$E2E_TMP/err" || fail "no word about the changed copy and the way out: $(cat "$E2E_TMP/err")"
rm "$KEPT"
convert -size 800x600 xc:'#203040' -type TrueColor "BMP3:$WALL"
if cli refresh --date "$LATER" 2>"$E2E_TMP/err"; then fail "a missing kept copy was made from a changed original"; fi
grep -q 'is missing.*Drag Calendar' "$E2E_TMP/err" || fail "no word about the missing copy and the way out: $(cat "$E2E_TMP/err")"
[[ ! -e "$KEPT" && $(stamp "$OUT") == "$before" ]] || fail "a refused refresh changed something"
echo "a changed or lost kept copy: OK"
echo "original identity: OK"
