# Installs the build into a temporary DESTDIR and checks the tree: binaries
# without RUNPATH, man pages that format without warnings, the icons, a
# desktop file and AppStream metadata that validate; then runs the installed
# tessaryn-reg, and the installed tessaryn as a copy in ~/.local/bin that
# finds settings left beside it.
#   usage: install_tree.sh BUILD_DIR PREFIX BINDIR DATADIR MANDIR
set -euo pipefail
BUILD=$1 PREFIX=$2 BINDIR=$3 DATADIR=$4 MANDIR=$5

for tool in desktop-file-validate appstreamcli groff readelf; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is not installed (scripts/deps.sh --test installs it)" >&2
        exit 1
    fi
done

TMP=$(mktemp -d /tmp/tessaryn-install.XXXXXX)
PROG_PID=""
cleanup() {
    [[ -n "$PROG_PID" ]] && kill "$PROG_PID" 2>/dev/null || true
    rm -rf "$TMP"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

DESTDIR="$TMP/root" cmake --install "$BUILD" >"$TMP/install.log" ||
    { cat "$TMP/install.log"; fail "cmake --install failed"; }
ROOT="$TMP/root$PREFIX"
echo "installed into $ROOT:"
(cd "$ROOT" && find . -type f | sort)

# The programs: present, and no RPATH or RUNPATH.
for exe in tessaryn tessaryn-reg; do
    f="$ROOT/$BINDIR/$exe"
    [[ -x "$f" ]] || fail "$BINDIR/$exe is missing"
    if readelf -d "$f" | grep -E '\((RPATH|RUNPATH)\)'; then
        fail "$exe carries a run path"
    fi
done

# Man pages: both present, and groff formats them without a warning.
for page in tessaryn tessaryn-reg; do
    f="$ROOT/$MANDIR/man1/$page.1"
    [[ -f "$f" ]] || fail "$MANDIR/man1/$page.1 is missing"
    warnings=$(LC_ALL=C.UTF-8 groff -man -ww -z "$f" 2>&1)
    [[ -z "$warnings" ]] || fail "$page.1: $warnings"
    grep -q "^\.SH NAME" "$f" || fail "$page.1 has no NAME section"
done

# Icons: the scalable one and a PNG for every size, of that size (the width
# and height in the PNG header).
ICONS="$ROOT/$DATADIR/icons/hicolor"
grep -q "<svg" "$ICONS/scalable/apps/tessaryn.svg" || fail "no scalable icon"
for size in 16 22 24 32 48 64 128 256; do
    f="$ICONS/${size}x${size}/apps/tessaryn.png"
    [[ -f "$f" ]] || fail "no ${size}px icon"
    read -r w h < <(od -An -j16 -N8 -tu1 "$f" |
        awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [[ "$w $h" == "$size $size" ]] || fail "${size}px icon is $w x $h"
done

# The desktop file validates without even a hint; the metadata validates.
desktop="$ROOT/$DATADIR/applications/tessaryn.desktop"
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop file: $out"
[[ -z "$out" ]] || fail "desktop file: $out"
grep -qx "Exec=tessaryn" "$desktop" || fail "desktop file does not start tessaryn"
grep -qx "Icon=tessaryn" "$desktop" || fail "desktop file names another icon"
metainfo="$ROOT/$DATADIR/metainfo/org.tessaryn.Tessaryn.metainfo.xml"
# The project has no public home page yet, so the one warning Debian 13's
# appstreamcli gives for that (url-homepage-missing; Debian 12's does not
# check it) is accepted, and no other error or warning.
if ! out=$(appstreamcli validate --no-net "$metainfo" 2>&1); then
    tags=$(awk -F': ' '/^[EW]: /{split($3, t, " "); print t[1]}' <<<"$out")
    [[ "$tags" == url-homepage-missing ]] || fail "metainfo: $out"
fi
[[ -f "$ROOT/$DATADIR/doc/tessaryn/LICENSE" ]] || fail "no licence"

# The installed tessaryn-reg runs and prints its usage.
out=$("$ROOT/$BINDIR/tessaryn-reg" --help) || fail "tessaryn-reg --help failed"
[[ "$out" == Usage:* ]] || fail "tessaryn-reg --help printed: $out"

# The installed program as a copy in ~/.local/bin, with the settings an
# older version left beside it: it copies them to ~/.config/tessaryn/ and
# leaves the old file as it was.
export HOME="$TMP/home"
unset XDG_CONFIG_HOME XDG_DATA_HOME
export XDG_RUNTIME_DIR="$TMP/runtime" QT_QPA_PLATFORM=offscreen TESSARYN_DESKTOP=none
mkdir -p "$HOME/.local/bin" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cp "$ROOT/$BINDIR/tessaryn" "$HOME/.local/bin/"
printf '[FormPos]\r\nTop=1500\r\nLeft=1500\r\n; left by hand\r\n' >"$HOME/.local/bin/Tessaryn.ini"
cp -p "$HOME/.local/bin/Tessaryn.ini" "$TMP/stray.ini"
"$HOME/.local/bin/tessaryn" >"$TMP/program.log" 2>&1 &
PROG_PID=$!
moved="$HOME/.config/tessaryn/Tessaryn.ini"
for _ in $(seq 100); do
    [[ -f "$moved" ]] && break
    kill -0 "$PROG_PID" 2>/dev/null || { cat "$TMP/program.log"; fail "tessaryn ended"; }
    sleep 0.1
done
[[ -f "$moved" ]] || fail "the settings beside ~/.local/bin/tessaryn were not copied"
cmp "$moved" "$TMP/stray.ini" || fail "the copied settings differ"
cmp "$HOME/.local/bin/Tessaryn.ini" "$TMP/stray.ini" || fail "the old settings file changed"
[[ "$HOME/.local/bin/Tessaryn.ini" -nt "$TMP/stray.ini" ]] && fail "the old settings file was touched"
[[ $(LC_ALL=C ls -A "$HOME/.local/bin") == $'Tessaryn.ini\ntessaryn' ]] || fail "new files beside the program"
echo "PASS"
