#!/bin/sh
# Runs a test program as an unprivileged user when started as root: sway
# refuses to run as root. The program is copied into a world-readable
# temporary folder the user can reach; without setpriv the test skips itself.
set -eu
program=$1
shift
if [ "$(id -u)" -ne 0 ]; then
    exec "$program" "$@"
fi
if ! command -v setpriv >/dev/null 2>&1; then
    exec "$program" "$@"
fi
dir=$(mktemp -d /tmp/tessaryn-unprivileged.XXXXXX)
trap 'rm -rf "$dir"' EXIT
chmod 755 "$dir"
cp "$program" "$dir/"
chmod 755 "$dir/$(basename "$program")"
status=0
setpriv --reuid=65534 --regid=65534 --clear-groups \
    env HOME="$dir" PATH="$PATH" \
    "$dir/$(basename "$program")" "$@" || status=$?
exit $status
