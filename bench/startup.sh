#!/usr/bin/env bash
# Cold start to the first painted main window, under a private Xvfb:
# the median of N runs, next to a bare Qt window for scale.
# Usage: bench/startup.sh BUILD_DIR [RUNS]; STARTUP_INI=FILE starts with that
# settings file (for example a huge one).
set -euo pipefail
BUILD=${1:-build}
RUNS=${2:-15}
PROBE="$BUILD/bench/startup_probe"
tmp=$(mktemp -d)
XVFB_PID=""
trap '[[ -n $XVFB_PID ]] && kill $XVFB_PID 2>/dev/null; rm -rf "$tmp"' EXIT
source "$(dirname "$0")/../tests/support/xvfb.sh"
xvfb_start 1280x800x24 /dev/null || { echo "Xvfb did not start" >&2; exit 1; }
export XDG_CONFIG_HOME="$tmp/c" XDG_DATA_HOME="$tmp/s" TESSARYN_DESKTOP=none
export XDG_RUNTIME_DIR="$tmp/r"; mkdir -p "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
cp "$PROBE" "$tmp/startup_probe"  # its settings file lands in $tmp
if [[ -n "${STARTUP_INI:-}" ]]; then
    cp "$STARTUP_INI" "$tmp/Tessaryn.ini"
fi

times=()
for _ in $(seq "$RUNS"); do
    start=$(date +%s%N)
    painted=$("$tmp/startup_probe" 2>/dev/null)
    times+=($(( (painted - start) / 1000000 )))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
median=${sorted[$(( RUNS / 2 ))]}
echo "cold start to first painted main window: median ${median} ms over $RUNS runs (min ${sorted[0]}, max ${sorted[-1]})"
echo "target: 300 ms; ratio median/target = $(awk -v m="$median" 'BEGIN{printf "%.2f", m/300}')"
