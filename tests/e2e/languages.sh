#!/usr/bin/env bash
# The program speaks the user's language: English and Japanese have their
# own texts, the C locale keeps the program's own (English captions, the
# Japanese messages). Under each language: the main window, the message for
# a wallpaper smaller than the calendar, and the command line.
source "$(dirname "$0")/lib.sh"

start_xvfb
convert -size 12x12 xc:'#336699' "PNG24:$E2E_TMP/tiny.png"
reg_set Wallpaper "$E2E_TMP/tiny.png"
reg_set TileWallpaper 0

# run_in LANG TITLE: the main window and the too-small message under LANG,
# whose message box is titled TITLE; screenshots main-LANG.png, small-LANG.png.
run_in() {
    local lang=$1 title=$2 box=""
    xdotool mousemove 1000 700  # no button under the pointer
    LC_ALL= LANG=$lang start_program
    read -r x y w h < <(window_geometry "$MAIN_WIN")
    import -window root -crop "${w}x${h}+$x+$y" "$E2E_TMP/main-$lang.png"
    click_at $((x + 118)) $((y + 14))  # "Drag Calendar"
    for _ in $(seq 100); do
        box=$(our_windows '^Tessaryn' | grep -vx "$MAIN_WIN" | head -n1 || true)
        [[ -n "$box" ]] && break
        sleep 0.1
    done
    [[ -n "$box" ]] || fail "$lang: no message box"
    # xdotool matches the Latin-1 WM_NAME only; the title is UTF-8.
    [[ "$(xprop -id "$box" _NET_WM_NAME)" == "_NET_WM_NAME(UTF8_STRING) = \"$title\"" ]] ||
        fail "$lang: the message box is $(xprop -id "$box" _NET_WM_NAME), not \"$title\""
    read -r bx by bw bh < <(window_geometry "$box")
    import -window root -crop "${bw}x${bh}+$bx+$by" "$E2E_TMP/small-$lang.png"
    xdotool key Return
    kill "$PROG_PID"
    wait_exit 10 || fail "$lang: the program did not end"
}
run_in C.UTF-8 'Tessaryn Info.'
run_in en_US.UTF-8 'Tessaryn Info.'
run_in ja_JP.UTF-8 'Tessaryn 情報'

same() { [[ "$("$PIXELPROBE" diff "$1" "$2" 0 0 100000 100000)" == 0 ]]; }
# English captions are the program's own; its message is English, where C
# shows the Japanese one; Japanese has captions of its own.
same "$E2E_TMP/main-C.UTF-8.png" "$E2E_TMP/main-en_US.UTF-8.png" ||
    fail "the English main window differs from the C locale's"
same "$E2E_TMP/small-C.UTF-8.png" "$E2E_TMP/small-en_US.UTF-8.png" &&
    fail "the English too-small message is the C locale's Japanese one"
same "$E2E_TMP/main-C.UTF-8.png" "$E2E_TMP/main-ja_JP.UTF-8.png" &&
    fail "the Japanese main window has the English captions"
same "$E2E_TMP/small-en_US.UTF-8.png" "$E2E_TMP/small-ja_JP.UTF-8.png" &&
    fail "the Japanese too-small message is the English one"

# The command line: messages in the language, what scripts read the same.
# (Qt warns on standard error where the system has no such locale.)
in_lang() { local l=$1; shift; LC_ALL= LANG=$l cli "$@" 2>/dev/null; }
complaint() { LC_ALL= LANG=$1 cli forget x 2>&1 >/dev/null | grep '^tessaryn: '; }
[[ "$(in_lang C.UTF-8 refresh)" == "Nothing to renew: no calendar has been placed on a wallpaper yet." ]] ||
    fail "C: refresh said \"$(in_lang C.UTF-8 refresh)\""
[[ "$(in_lang en_US.UTF-8 refresh)" == "$(in_lang C.UTF-8 refresh)" ]] || fail "en: refresh differs"
[[ "$(in_lang ja_JP.UTF-8 refresh)" == 更新するものはありません:* ]] ||
    fail "ja: refresh said \"$(in_lang ja_JP.UTF-8 refresh)\""
[[ "$(in_lang ja_JP.UTF-8 --help | sed -n 3p)" == デスクトップの壁紙に* ]] || fail "ja: --help is not Japanese"
status=0
in_lang ja_JP.UTF-8 forget x >/dev/null || status=$?
[[ $status == 2 ]] || fail "ja: a bad argument ended with $status, not 2"
[[ "$(complaint ja_JP.UTF-8)" == "tessaryn: forget にはカレンダーの番号を"* ]] ||
    fail "ja: the bad argument was not explained in Japanese: $(complaint ja_JP.UTF-8)"
for l in en_US.UTF-8 ja_JP.UTF-8; do
    [[ "$(in_lang "$l" list)" == "$(in_lang C.UTF-8 list)" ]] || fail "$l: list differs"
done
[[ -n "${E2E_KEEP:-}" ]] && cp "$E2E_TMP"/main-*.png "$E2E_TMP"/small-*.png /tmp/
echo "languages: OK"
