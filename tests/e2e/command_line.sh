#!/usr/bin/env bash
# The command line as a script or a timer meets it: --help and --version
# without a display, the one-line message instead of Qt's abort when there
# is no display, bad arguments with the usage line and status 2, compose
# errors that write nothing; the user's timer for a program in a folder
# with spaces, % and quotes, the autostart override, a refresh without a
# record that writes nothing; and the shipped timer, service and autostart
# entry as cmake --install puts them for /usr, another prefix and
# ~/.local (as an ordinary user), checked by systemd-analyze verify and
# desktop-file-validate.
source "$(dirname "$0")/lib.sh"
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR
unset DISPLAY
T="$PROGRAM_DIR/tessaryn"

out=$("$T" --version)
[[ "$out" =~ ^tessaryn\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed: $out"
"$T" --help | grep -q '^tessaryn refresh' || fail "--help does not list refresh"
"$T" refresh --help | grep -q -- '--enable-timer' || fail "refresh --help does not list --enable-timer"

status=0
err=$(QT_QPA_PLATFORM= "$T" 2>&1) || status=$?
[[ $status == 1 ]] || fail "the window without a display ended with $status"
[[ "$err" == "no display: set DISPLAY or WAYLAND_DISPLAY, or use tessaryn refresh / compose" ]] ||
    fail "the window without a display said: $err"
# A platform that needs no display is fine: the window opens (and is closed).
QT_QPA_PLATFORM=offscreen timeout 3 "$T" && fail "the offscreen window ended by itself" || [[ $? == 124 ]] ||
    fail "the window did not open on the offscreen platform"

for bad in "--bogus" "nonsense" "refresh --date 2025-02-30" "refresh --date tomorrow" \
           "refresh extra" "forget" "forget one" "list 3" "refresh --enable-timer --disable-timer" \
           "compose --base x.png" "compose --base x.png --year 2026 --month 13 --at 1,1 --out y.bmp" \
           "compose --base x.png --year 2026 --month 1 --at 1 --out y.bmp" \
           "compose --base x.png --year 2026 --month 1 --at 1,1 --color purple=0x1 --out y.bmp" \
           "compose --base x.png --year 2026 --month 1 --at 1,1 --out y"$'\xff'".bmp"; do
    status=0
    # shellcheck disable=SC2086
    err=$("$T" $bad 2>&1 >/dev/null) || status=$?
    [[ $status == 2 ]] || fail "\"tessaryn $bad\" ended with $status, not 2"
    grep -q '^usage: tessaryn ' <<<"$err" || fail "\"tessaryn $bad\" gave no usage line: $err"
    [[ $(grep -c '^tessaryn: ' <<<"$err") == 1 ]] || fail "\"tessaryn $bad\" did not say what was wrong: $err"
done

# compose: a base that is no picture, an output that cannot be written.
echo "not a picture" >"$E2E_TMP/bad.png"
status=0
"$T" compose --base "$E2E_TMP/bad.png" --year 2026 --month 1 --at 0,0 --out "$E2E_TMP/o.bmp" 2>"$E2E_TMP/err" || status=$?
[[ $status == 1 && $(wc -l <"$E2E_TMP/err") == 1 && ! -e "$E2E_TMP/o.bmp" ]] || fail "a bad base: $status $(cat "$E2E_TMP/err")"
convert -size 400x300 xc:'#203040' "PNG24:$E2E_TMP/base.png"
mkdir -p "$E2E_TMP/ro" && chmod 500 "$E2E_TMP/ro"
if [[ $(id -u) != 0 ]]; then
    "$T" compose --base "$E2E_TMP/base.png" --year 2026 --month 1 --at 0,0 --out "$E2E_TMP/ro/o.bmp" 2>/dev/null &&
        fail "compose into a read-only folder succeeded"
fi
"$T" compose --base "$E2E_TMP/base.png" --year 2026 --month 1 --at 0,0 --out "$E2E_TMP/o.xyz" 2>/dev/null &&
    fail "compose to an unknown format succeeded"
[[ ! -e "$E2E_TMP/o.xyz" ]] || fail "compose left a file of an unknown format"
mkfifo "$E2E_TMP/p" && ! "$T" compose --base "$E2E_TMP/base.png" --year 2026 --month 1 --at 0,0 --out "$E2E_TMP/p" 2>/dev/null && [[ -p "$E2E_TMP/p" ]] || fail "compose replaced a FIFO"
"$TESSARYN_REG" add 'HKCU\Software\T' /v W /d $'a\xff' /f 2>/dev/null && fail "tessaryn-reg stored a value that is not UTF-8"
# The extension picks the format, BMP when there is none.
"$T" compose --base "$E2E_TMP/base.png" --year 2026 --month 1 --at 10,10 --out "$E2E_TMP/o.png" >/dev/null
"$T" compose --base "$E2E_TMP/base.png" --year 2026 --month 1 --at 10,10 --out "$E2E_TMP/o" >/dev/null
[[ $(head -c4 "$E2E_TMP/o.png" | tail -c3) == PNG && $(head -c2 "$E2E_TMP/o") == BM ]] || fail "formats do not follow the extension"
[[ $("$PIXELPROBE" diff "$E2E_TMP/o.png" "$E2E_TMP/o" 0 0 400 300) == 0 ]] || fail "PNG and BMP output differ"
n=$("$PIXELPROBE" count "$E2E_TMP/o" 10 10 120 160 FF0000 80)
(( n > 30 )) || fail "compose drew no Sunday column ($n red pixels)"
echo "command line: OK"

# --enable-timer / --disable-timer with a stand-in systemctl that logs its
# calls (there is no user manager here), then one that fails.
mkdir -p "$E2E_TMP/bin"
cat >"$E2E_TMP/bin/systemctl" <<'STUB'
#!/bin/sh
echo "$*" >>"$SYSTEMCTL_LOG"
[ -z "$SYSTEMCTL_FAIL" ] || { echo "Failed to connect to bus: No medium found" >&2; exit 1; }
STUB
chmod +x "$E2E_TMP/bin/systemctl"
export SYSTEMCTL_LOG="$E2E_TMP/systemctl.log"
USER_UNITS="$XDG_CONFIG_HOME/systemd/user"
PATH="$E2E_TMP/bin:$PATH" "$T" refresh --enable-timer >/dev/null || fail "--enable-timer failed"
[[ $(cat "$SYSTEMCTL_LOG") == $'--user daemon-reload\n--user enable --now tessaryn-refresh.timer' ]] ||
    fail "--enable-timer ran: $(cat "$SYSTEMCTL_LOG")"
grep -q "^ExecStart=$T refresh\$" "$USER_UNITS/tessaryn-refresh.service" || fail "the user's service does not run this program"
systemd-analyze verify --man=no "$USER_UNITS/tessaryn-refresh.service" "$USER_UNITS/tessaryn-refresh.timer" \
    >"$E2E_TMP/verify.log" 2>&1 || fail "the user's units do not verify: $(cat "$E2E_TMP/verify.log")"
[[ ! -s "$E2E_TMP/verify.log" ]] || fail "systemd-analyze verify complained: $(cat "$E2E_TMP/verify.log")"
: >"$SYSTEMCTL_LOG"
PATH="$E2E_TMP/bin:$PATH" "$T" refresh --disable-timer >/dev/null || fail "--disable-timer failed"
grep -q -- '--user disable --now tessaryn-refresh.timer' "$SYSTEMCTL_LOG" || fail "--disable-timer ran: $(cat "$SYSTEMCTL_LOG")"
[[ ! -e "$USER_UNITS/tessaryn-refresh.timer" && ! -e "$USER_UNITS/tessaryn-refresh.service" ]] ||
    fail "--disable-timer left the units"
status=0
SYSTEMCTL_FAIL=1 PATH="$E2E_TMP/bin:$PATH" "$T" refresh --enable-timer 2>"$E2E_TMP/err" || status=$?
[[ $status == 1 ]] || fail "--enable-timer without a user manager ended with $status"
grep -q 'Failed to connect to bus' "$E2E_TMP/err" || fail "--enable-timer did not pass on why: $(cat "$E2E_TMP/err")"
[[ ! -e "$USER_UNITS/tessaryn-refresh.timer" ]] || fail "a failed --enable-timer left its units"
echo "timer: OK"

# A program in a folder whose name systemd would split, expand or refuse:
# the user's service quotes and escapes it; a line break is refused.
ODD="$E2E_TMP/My Apps 100%'s"
mkdir -p "$ODD" "$E2E_TMP/line"$'\n'"break"
cp "$T" "$ODD/tessaryn"
cp "$T" "$E2E_TMP/line"$'\n'"break/tessaryn"
PATH="$E2E_TMP/bin:$PATH" "$ODD/tessaryn" refresh --enable-timer >/dev/null || fail "--enable-timer failed in $ODD"
# (systemd takes no quote in the program's own name: env runs it.)
grep -qxF "ExecStart=/usr/bin/env \"${ODD//%/%%}/tessaryn\" refresh" "$USER_UNITS/tessaryn-refresh.service" ||
    fail "the service names the program wrongly: $(grep ExecStart "$USER_UNITS/tessaryn-refresh.service")"
verify_units() {
    systemd-analyze verify --man=no "$1/tessaryn-refresh.service" "$1/tessaryn-refresh.timer" >"$E2E_TMP/verify.log" 2>&1 ||
        fail "the units in $1 do not verify: $(cat "$E2E_TMP/verify.log")"
    [[ ! -s "$E2E_TMP/verify.log" ]] || fail "systemd-analyze verify complained: $(cat "$E2E_TMP/verify.log")"
}
verify_units "$USER_UNITS"
rm "$USER_UNITS"/tessaryn-refresh.*
status=0
PATH="$E2E_TMP/bin:$PATH" "$E2E_TMP/line"$'\n'"break/tessaryn" refresh --enable-timer 2>"$E2E_TMP/err" || status=$?
[[ $status == 1 ]] && grep -q 'line break' "$E2E_TMP/err" || fail "a path with a line break was not refused: $(cat "$E2E_TMP/err")"
[[ ! -e "$USER_UNITS/tessaryn-refresh.service" ]] || fail "a refused --enable-timer wrote units"
# The login's refresh turned off and on, as the user's override.
"$T" refresh --disable-autostart >/dev/null || fail "--disable-autostart failed"
override="$XDG_CONFIG_HOME/autostart/tessaryn-refresh.desktop"
grep -qx 'Hidden=true' "$override" && desktop-file-validate "$override" || fail "no valid override hides the entry"
"$T" refresh --enable-autostart >/dev/null && [[ ! -e "$override" ]] || fail "--enable-autostart left the override"
# A refresh for a user without a record creates no files.
before=$(find "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" | sort)
"$T" refresh | grep -q 'Nothing to renew' || fail "a refresh without a record said something else"
[[ $(find "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" | sort) == "$before" ]] || fail "a refresh without a record created files"
echo "timer paths and autostart: OK"

# The shipped units and autostart entry follow the prefix given to
# cmake --install.
if [[ -n "${TESSARYN_BUILD_DIR:-}" ]]; then
    B="$TESSARYN_BUILD_DIR"
    # A package's /usr: the units where systemd reads them, the entry in /etc/xdg/autostart.
    DESTDIR="$E2E_TMP/dest" cmake --install "$B" --prefix /usr >/dev/null
    units="$E2E_TMP/dest/usr/lib/systemd/user"
    entry="$E2E_TMP/dest/etc/xdg/autostart/tessaryn-refresh.desktop"
    grep -qx "ExecStart=/usr/bin/tessaryn refresh" "$units/tessaryn-refresh.service" || fail "the service runs something else"
    grep -q '^Persistent=true$' "$units/tessaryn-refresh.timer" || fail "the timer does not catch up"
    grep -qx "Exec=/usr/bin/tessaryn refresh" "$entry" && grep -qx "TryExec=/usr/bin/tessaryn" "$entry" ||
        fail "the autostart entry runs something else: $(cat "$entry")"
    desktop-file-validate "$entry" || fail "the autostart entry is not valid"
    # Any other prefix: the units under it, no autostart entry, and a message.
    apps="$E2E_TMP/My Apps 100%"
    cmake --install "$B" --prefix "$apps" >"$E2E_TMP/install.log"
    grep -q 'No autostart entry' "$E2E_TMP/install.log" || fail "no word about the missing autostart entry"
    [[ ! -e "$apps/etc" ]] || fail "an autostart entry went to $apps/etc"
    grep -qxF "ExecStart=\"$E2E_TMP/My Apps 100%%/bin/tessaryn\" refresh" "$apps/lib/systemd/user/tessaryn-refresh.service" ||
        fail "the installed service names the program wrongly"
    verify_units "$apps/lib/systemd/user"
    # The home prefix, as an ordinary user: ~/.local/share/systemd/user and ~/.config/autostart.
    H="$E2E_TMP/home of \"user\" 100%"
    mkdir -p "$H"
    as_user=()
    if [[ $(id -u) == 0 ]]; then
        chmod 755 "$E2E_TMP"
        chown nobody "$H"
        # The build tree is root's; only the manifest is written there.
        install -m 666 /dev/null "$B/install_manifest.txt"
        as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    fi
    "${as_user[@]}" env HOME="$H" XDG_CONFIG_HOME= cmake --install "$B" --prefix "$H/.local" >"$E2E_TMP/install.log" 2>&1 ||
        fail "cmake --install --prefix ~/.local failed for an ordinary user: $(cat "$E2E_TMP/install.log")"
    verify_units "$H/.local/share/systemd/user"
    entry="$H/.config/autostart/tessaryn-refresh.desktop"
    desktop-file-validate "$entry" || fail "the home autostart entry is not valid"
    expected="Exec=\"$E2E_TMP/home of \\\\\"user\\\\\" 100%%/.local/bin/tessaryn\" refresh"
    grep -qxF "$expected" "$entry" || fail "the home entry's Exec is not escaped: $(grep Exec "$entry")"
    echo "units: OK"
fi
