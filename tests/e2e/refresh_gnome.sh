#!/usr/bin/env bash
# The refresh against GNOME for real: gsettings and dconf on a private D-Bus
# session. A calendar placed with the window (real X input) is renewed for
# next month by a refresh from a process without DISPLAY: the picture GNOME
# is told to show is next month's calendar on the original. Without a
# session bus the refresh says so and changes nothing; restore hands the
# light and the dark picture each back to GNOME, and leaves alone a picture
# the user chose after the finish (named) unless --force.
source "$(dirname "$0")/lib.sh"
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR
export TESSARYN_DESKTOP=gnome

BUS_PID=""
stop_bus() {
    [[ -n "$BUS_PID" ]] && kill "$BUS_PID" 2>/dev/null || true
    e2e_cleanup
}
trap stop_bus EXIT
{ read -r DBUS_SESSION_BUS_ADDRESS; read -r BUS_PID; } < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS

diff_px() { "$PIXELPROBE" diff "$@"; }
shown() { gsettings get org.gnome.desktop.background picture-uri | tr -d "'"; }
shown_path() { python3 -c 'import sys, urllib.parse; print(urllib.parse.unquote(urllib.parse.urlparse(sys.argv[1]).path))' "$(shown)"; }

THIS=$(date +%Y-%m-01)
NEXT=$(date -d "$THIS +1 month" +%Y-%m-03)
LATER=$(date -d "$THIS +2 month" +%Y-%m-03)
ym() { date -d "$1" '+--year %Y --month %-m'; }

WALL="$E2E_TMP/wall dir/wall.jpg"
mkdir -p "$(dirname "$WALL")"
convert -size 800x600 gradient:'#603020-#e0c0a0' -quality 92 "$WALL"
gsettings set org.gnome.desktop.background picture-uri "file://${WALL// /%20}"
DARK="$E2E_TMP/wall-dark.jpg"  # GNOME's backgrounds come as light and dark pairs
convert -size 800x600 xc:'#202020' "$DARK"
gsettings set org.gnome.desktop.background picture-uri-dark "file://$DARK"
gsettings set org.gnome.desktop.background picture-options centered
reg_set WallpaperOriginX 100
reg_set WallpaperOriginY 50
OUT="$XDG_DATA_HOME/tessaryn/Tessavel.bmp"
OX=100 OY=50

start_xvfb 1280x800x24
start_program
read -r mx my _ _ < <(window_geometry "$MAIN_WIN")
click_at $((mx + 118)) $((my + 14))  # "Drag Calendar"
wait_placement >/dev/null || fail "the placement window did not open over GNOME's wallpaper"
sleep 0.5
xdotool mousemove --sync $((OX + 40)) $((OY + 30)) mousedown 1
xdotool mousemove --sync $((OX + 140)) $((OY + 130))
xdotool mousemove --sync $((OX + 240)) $((OY + 230))
sleep 0.2
xdotool mouseup 1
sleep 0.4
xdotool mousemove --sync $((OX + 350)) $((OY + 270)) click --repeat 2 --delay 80 1  # preview
sleep 0.8
xdotool mousemove --sync $((OX + 700)) $((OY + 550)) click --repeat 2 --delay 80 1  # finish
for _ in $(seq 50); do
    placement_open || break
    sleep 0.1
done
click_at $((mx + 36)) $((my + 14))  # "Close"
wait_exit 10 || fail "the program did not end after Close"
[[ "$(shown_path)" == *Tessavel.bmp* ]] || fail "GNOME was not given the calendar picture: $(shown)"
"$TESSARYN_REG" query 'HKCU\Software\Tessaryn\Composition' /v Desktop | grep -q 'REG_SZ    gnome$' ||
    fail "the record does not name gnome"
echo "placed on GNOME: OK"

# Without a session bus: says so, changes nothing.
before=$(stamp "$OUT")
uri=$(shown)
status=0
env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$E2E_TMP/nowhere" "$PROGRAM_DIR/tessaryn" refresh --date "$NEXT" \
    2>"$E2E_TMP/err.log" || status=$?
[[ $status == 1 ]] || fail "a refresh without a session bus ended with $status"
grep -q 'no D-Bus session bus' "$E2E_TMP/err.log" || fail "it did not say what is missing: $(cat "$E2E_TMP/err.log")"
[[ $(stamp "$OUT") == "$before" && $(shown) == "$uri" ]] || fail "a refresh without a session bus changed something"
echo "no session bus: OK"

# Next month, from a process without DISPLAY.
cli refresh --date "$NEXT" >/dev/null || fail "refresh against GNOME failed"
cli compose --base "$WALL" $(ym "$NEXT") --at 201,201 --out "$E2E_TMP/next.bmp" >/dev/null
[[ "$(shown_path)" == *Tessavel.bmp* ]] || fail "GNOME does not show the calendar picture after refresh: $(shown)"
n=$(diff_px "$(shown_path)" "$E2E_TMP/next.bmp" 0 0 800 600)
[[ "$n" == 0 ]] || fail "GNOME shows a picture that is not next month's calendar ($n pixels differ)"
cli refresh --date "$NEXT" | grep -q 'already current' || fail "a second refresh did not say it was current"
echo "refresh on GNOME: OK"

dark() { gsettings get org.gnome.desktop.background picture-uri-dark | tr -d "'"; }
[[ "$(dark)" == *Tessavel.bmp* ]] || fail "the dark picture is not the calendar picture: $(dark)"
cli restore >/dev/null || fail "restore on GNOME failed"
[[ "$(shown_path)" == "$WALL" ]] || fail "GNOME shows $(shown) after restore, not $WALL"
[[ "$(dark)" == "file://$DARK" ]] || fail "restore did not give the dark picture back: $(dark)"
# A dark picture the user chose after the finish is left alone, and named.
cli refresh --resume --date "$NEXT" >/dev/null
gsettings set org.gnome.desktop.background picture-uri-dark "file://$E2E_TMP/later.png"
cli restore >"$E2E_TMP/restore.log"
grep -q "Left alone.*picture-uri-dark.*later.png" "$E2E_TMP/restore.log" || fail "restore did not name the place it left alone: $(cat "$E2E_TMP/restore.log")"
[[ "$(dark)" == "file://$E2E_TMP/later.png" && "$(shown_path)" == "$WALL" ]] || fail "restore replaced the user's dark picture"
cli restore --force >/dev/null
[[ "$(dark)" == "file://$DARK" ]] || fail "restore --force did not give the dark picture back: $(dark)"
cli refresh --date "$LATER" | grep -q 'was restored' || fail "refresh after restore did something"
[[ "$(shown_path)" == "$WALL" ]] || fail "refresh after restore changed GNOME's picture"
echo "restore on GNOME: OK"
