#!/bin/sh
# Runs a test program as an unprivileged user when started as root: sway
# refuses to run as root. The program is copied into a world-readable
# temporary folder the user can reach; without setpriv the test fails.
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
# Wayland clients (swaybg, grim) share their buffers through /dev/shm. Where
# the user cannot write there (a chroot that bound /dev without its mounts),
# the run gets a private one in its own mount namespace.
set -- setpriv --reuid=65534 --regid=65534 --clear-groups \
    env HOME="$dir" PATH="$PATH" "$dir/$(basename "$program")" "$@"
if ! setpriv --reuid=65534 --regid=65534 --clear-groups test -w /dev/shm 2>/dev/null &&
    command -v unshare >/dev/null 2>&1; then
    # In a chroot / is no mount point, so unshare cannot make everything
    # private; /dev is made private before the tmpfs goes on, so that it
    # never reaches the system's /dev.
    set -- unshare -m --propagation unchanged sh -c \
        'mount --make-rprivate /dev && mount -t tmpfs -o mode=1777 tessaryn-shm /dev/shm && exec "$@"' \
        sh "$@"
fi
status=0
"$@" || status=$?
exit $status
