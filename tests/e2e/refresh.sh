#!/usr/bin/env bash
# Keeping the calendar current, with the embedded "none" desktop: a calendar
# placed this month with the real window (real X input) is renewed for next
# month by "tessaryn refresh" from a process without a display; only the
# calendar's box changes and it equals "tessaryn compose" for that month,
# which in turn equals the window's own Tessavel.bmp for this month. A second
# refresh writes nothing; restore brings the original back and refresh then
# leaves it alone; a wallpaper the user chose is never overwritten; a changed
# or missing kept original, a damaged record and a held lock change nothing;
# two refreshes at once leave a sound picture; forget draws without the
# calendar.
source "$(dirname "$0")/lib.sh"
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR

hive_wallpaper() { "$TESSARYN_REG" query "$DESKTOP_KEY" /v Wallpaper | sed -n 's/^ *Wallpaper *REG_SZ *//p'; }
diff_px() { "$PIXELPROBE" diff "$@"; }

start_xvfb 1280x800x24

noisy_wallpaper_at_100_50
W=306 H=162  # the calendar picture: the preview box and its border; its
# image, and so the calendar, starts inside the 1-px border at (301, 301)

# Months from today: this one, the next, the one after.
THIS=$(date +%Y-%m-01)
NEXT=$(date -d "$THIS +1 month" +%Y-%m-03)
LATER=$(date -d "$THIS +2 month" +%Y-%m-03)
ym() { date -d "$1" '+--year %Y --month %-m'; }

# Place this month's calendar at (300, 300) with the window.
start_program
read -r mx my _ _ < <(window_geometry "$MAIN_WIN")
click_at $((mx + 118)) $((my + 14))  # "Drag Calendar"
FORM=$(wait_placement) || fail "the placement window did not open"
sleep 0.5
xdotool mousemove --sync $((OX + 40)) $((OY + 30)) mousedown 1
xdotool mousemove --sync $((OX + 140)) $((OY + 130))
xdotool mousemove --sync $((OX + 340)) $((OY + 330))
sleep 0.2
xdotool mouseup 1
sleep 0.4
xdotool mousemove --sync $((OX + 450)) $((OY + 370)) click --repeat 2 --delay 80 1  # preview
sleep 0.8
xdotool mousemove --sync $((OX + 100)) $((OY + 550)) click --repeat 2 --delay 80 1  # finish
for _ in $(seq 50); do
    placement_open || break
    sleep 0.1
done
[[ -f "$OUT" ]] || fail "the finish wrote no $OUT"
click_at $((mx + 36)) $((my + 14))  # "Close"
wait_exit 10 || fail "the program did not end after Close"
cp "$OUT" "$E2E_TMP/gui.bmp"

record=$("$TESSARYN_REG" query "$RECORD_KEY")
grep -q "Original    REG_SZ    $WALL\$" <<<"$record" || fail "the record does not name the original: $record"
grep -q "Calendar 1    REG_SZ    at=301,301;" <<<"$record" || fail "the calendar's place is not recorded: $record"
KEPT=$(sed -n 's/^ *Kept *REG_SZ *//p' <<<"$record")
cmp -s "$KEPT" "$WALL" || fail "the kept original $KEPT differs from $WALL"
cli list | grep -q '^1\. placed in ' || fail "list does not show the calendar: $(cli list)"
echo "finish recorded: OK"

# compose gives the window's pixels for the same month, place, font and colours.
cli compose --base "$WALL" $(ym "$THIS") --at 301,301 --out "$E2E_TMP/this.bmp" >/dev/null
n=$(diff_px "$E2E_TMP/gui.bmp" "$E2E_TMP/this.bmp" 0 0 800 600)
[[ "$n" == 0 ]] || fail "compose differs from the window's Tessavel.bmp in $n pixels"
n=$(diff_px "$E2E_TMP/gui.bmp" "$WALL" 300 300 $W $H)
(( n > 1000 )) || fail "the window's picture carries no calendar ($n pixels)"
echo "compose equals the window: OK"

# Next month, from a process without a display.
cli refresh --date "$NEXT" >"$E2E_TMP/refresh.log" || fail "refresh failed: $(cat "$E2E_TMP/refresh.log")"
cli compose --base "$WALL" $(ym "$NEXT") --at 301,301 --out "$E2E_TMP/next.bmp" >/dev/null
n=$(diff_px "$OUT" "$E2E_TMP/next.bmp" 0 0 800 600)
[[ "$n" == 0 ]] || fail "the renewed picture is not next month's calendar at the same place ($n pixels)"
for band in "0 0 800 300" "0 300 300 300" "$((300 + W)) 300 $((500 - W)) 300" "300 $((300 + H)) $W $((300 - H))"; do
    n=$(diff_px "$WALL" "$OUT" $band)
    [[ "$n" == 0 ]] || fail "$n pixels outside the calendar differ from the original (area $band)"
done
n=$(diff_px "$E2E_TMP/gui.bmp" "$OUT" 300 300 $W $H)
(( n > 100 )) || fail "the calendar did not change for next month ($n pixels)"
[[ $(hive_wallpaper) == "$OUT" ]] || fail "the hive does not name $OUT after refresh: $(hive_wallpaper)"
echo "refresh for next month: OK"

# Again the same month: nothing written.
before=$(stamp "$OUT")
sleep 1.1
cli refresh --date "$NEXT" | grep -q 'already current' || fail "a second refresh did not say it was current"
[[ $(stamp "$OUT") == "$before" ]] || fail "a second refresh rewrote $OUT"
echo "second refresh: OK"

# Two refreshes at once (the timer and the login) for the month after. A
# temporary file no writer holds (one killed) is removed; a held one is not.
head -c 4096 /dev/zero >"$XDG_DATA_HOME/tessaryn/.Tessavel.bmp.0badf00d.tmp"
head -c 4096 /dev/zero >"$XDG_DATA_HOME/tessaryn/.Tessavel.bmp.0000beef.tmp"
flock "$XDG_DATA_HOME/tessaryn/.Tessavel.bmp.0000beef.tmp" sleep 30 &
writer=$!
sleep 0.3
cli refresh --date "$LATER" >"$E2E_TMP/a.log" 2>&1 &
pa=$!
cli refresh --date "$LATER" >"$E2E_TMP/b.log" 2>&1 &
pb=$!
wait $pa || fail "one of two refreshes failed: $(cat "$E2E_TMP/a.log")"
wait $pb || fail "one of two refreshes failed: $(cat "$E2E_TMP/b.log")"
cli compose --base "$WALL" $(ym "$LATER") --at 301,301 --out "$E2E_TMP/later.bmp" >/dev/null
n=$(diff_px "$OUT" "$E2E_TMP/later.bmp" 0 0 800 600)
[[ "$n" == 0 ]] || fail "two refreshes at once left a wrong picture ($n pixels)"
[[ -e "$XDG_DATA_HOME/tessaryn/.Tessavel.bmp.0000beef.tmp" ]] || fail "a temporary file in use was removed"
kill $writer
rm "$XDG_DATA_HOME/tessaryn/.Tessavel.bmp.0000beef.tmp"
[[ -z $(ls -A "$XDG_DATA_HOME/tessaryn" | grep -v -e '^Tessavel.bmp$' -e '^original\.' -e '^\.composition\.lock$') ]] ||
    fail "left-over files: $(ls -A "$XDG_DATA_HOME/tessaryn")"
# A refresh while another holds the lock says so and touches nothing.
cli refresh --date "$NEXT" >/dev/null
before=$(stamp "$OUT")
flock "$XDG_DATA_HOME/tessaryn/.composition.lock" sleep 2 &
holder=$!
sleep 0.5
cli refresh --date "$LATER" >"$E2E_TMP/locked.log" || fail "a refresh facing a lock failed"
grep -q 'Another tessaryn refresh is running' "$E2E_TMP/locked.log" || fail "no word about the lock: $(cat "$E2E_TMP/locked.log")"
[[ $(stamp "$OUT") == "$before" ]] || fail "a refresh facing a lock changed $OUT"
wait $holder
echo "locking: OK"

# Bad input changes nothing: a kept original that was replaced, a damaged
# record.
before=$(stamp "$OUT")
cp -p "$KEPT" "$E2E_TMP/kept.ref"
convert -size 800x600 xc:'#808080' "PNG24:$KEPT"
if cli refresh --date "$LATER" 2>"$E2E_TMP/err.log"; then fail "refresh took a changed kept original"; fi
grep -q 'was changed' "$E2E_TMP/err.log" || fail "no word about the changed copy: $(cat "$E2E_TMP/err.log")"
"$TESSARYN_REG" query "$RECORD_KEY" /v "Calendar 1" >"$E2E_TMP/cal1.txt"
good=$(sed -n 's/^ *Calendar 1 *REG_SZ *//p' "$E2E_TMP/cal1.txt")
"$TESSARYN_REG" add "$RECORD_KEY" /v "Calendar 1" /d "at=oops" /f >/dev/null
if cli refresh --date "$LATER" 2>"$E2E_TMP/err.log"; then fail "refresh used a damaged record"; fi
grep -q 'damaged' "$E2E_TMP/err.log" || fail "no word about the damage: $(cat "$E2E_TMP/err.log")"
"$TESSARYN_REG" query "$RECORD_KEY" /v "Calendar 1" | grep -q 'at=oops' || fail "the damaged record was changed"
[[ $(stamp "$OUT") == "$before" ]] || fail "bad input changed $OUT"
grep -q 'tessaryn forget 1' "$E2E_TMP/err.log" || fail "no way out named: $(cat "$E2E_TMP/err.log")"
# The damaged line blocks neither list nor forget.
cli list | grep -q '^1\. damaged' || fail "list does not mark the damaged line: $(cli list)"
"$TESSARYN_REG" add "$RECORD_KEY" /v "Calendar 2" /d "$good" /f >/dev/null
cli forget 1 >/dev/null || fail "forget of the damaged line failed"
"$TESSARYN_REG" query "$RECORD_KEY" /v "Calendar 1" | grep -qF "$good" || fail "forget did not keep the good calendar"
"$TESSARYN_REG" query "$RECORD_KEY" /v "Calendar 2" >/dev/null 2>&1 && fail "forget left a second line"
cp -p "$E2E_TMP/kept.ref" "$KEPT"  # as recorded, its time included
echo "bad input: OK"

# Restore: the original back in the hive; refresh leaves it alone.
cli restore | grep -q "Restored $WALL" || fail "restore did not say what it restored"
[[ $(hive_wallpaper) == "$WALL" ]] || fail "restore left the hive at $(hive_wallpaper)"
before=$(stamp "$OUT")
cli refresh --date "$LATER" | grep -q 'was restored' || fail "refresh after restore did not say why it did nothing"
[[ $(hive_wallpaper) == "$WALL" && $(stamp "$OUT") == "$before" ]] || fail "refresh after restore changed something"
echo "restore: OK"

# A wallpaper the user chose is never overwritten.
OTHER="$E2E_TMP/other.png"
convert -size 640x480 xc:'#446688' "PNG24:$OTHER"
reg_set Wallpaper "$OTHER"
# (--resume would renew a restored picture; the desktop now shows another one.)
cli refresh --resume --date "$LATER" | grep -q 'not the calendar picture' || fail "refresh did not notice the user's wallpaper"
[[ $(hive_wallpaper) == "$OTHER" && $(stamp "$OUT") == "$before" ]] || fail "refresh overwrote the user's wallpaper"
echo "the user's own wallpaper: OK"

# Forget: the next refresh draws the bare original.
reg_set Wallpaper "$WALL"
cli refresh --resume --date "$LATER" >/dev/null
[[ $(hive_wallpaper) == "$OUT" ]] || fail "refresh --resume did not bring the calendar back"
cli forget 1 | grep -q 'Forgot calendar 1' || fail "forget did not say what it forgot"
if cli forget 1 2>/dev/null; then fail "forget of a calendar that is gone succeeded"; fi
cli refresh --date "$LATER" >/dev/null
n=$(diff_px "$WALL" "$OUT" 0 0 800 600)
[[ "$n" == 0 ]] || fail "the calendar is still drawn after forget ($n pixels)"
echo "forget: OK"
echo "refresh: OK"
