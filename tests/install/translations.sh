#!/usr/bin/env bash
# Every text the program shows has its English and Japanese translation:
# lupdate, run over the sources into copies of the .ts files, finds no text
# new to them and none unfinished or gone from the sources.
# Usage: translations.sh LUPDATE SOURCE_DIR
set -euo pipefail
lupdate=$1 src=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$src"/translations/tessaryn_en.ts "$src"/translations/tessaryn_ja.ts "$tmp"/
mapfile -t sources < <(find "$src/src" -name '*.cpp' -o -name '*.h' | sort)
out=$("$lupdate" -locations none -I "$src/src" "${sources[@]}" -ts "$tmp/tessaryn_en.ts" "$tmp/tessaryn_ja.ts" 2>&1)
echo "$out"
status=0
if grep -v ' (0 new and ' <<<"$out" | grep -q 'Found'; then
    echo "FAIL: lupdate found texts without a translation" >&2
    status=1
fi
for ts in "$tmp"/*.ts; do
    if grep -nE 'type="(unfinished|vanished|obsolete)"' "$ts" | grep -v '^$'; then
        echo "FAIL: $(basename "$ts") has the entries above unfinished or no longer used" >&2
        status=1
    fi
done
exit $status
