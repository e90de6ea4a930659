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
trap 'kill $XVFB_PID 2>/dev/null || true; rm -rf "$tmp"' EXIT
# Only the socket file in /tmp/.X11-unix, no abstract socket (shared with chroots).
[[ -d /tmp/.X11-unix ]] || mkdir -m 1777 /tmp/.X11-unix
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -nolisten local 3>"$tmp/d" 2>/dev/null &
XVFB_PID=$!
for _ in $(seq 100); do [[ -s "$tmp/d" ]] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$tmp/d")" XDG_CONFIG_HOME="$tmp/c" XDG_DATA_HOME="$tmp/s" TESSARYN_DESKTOP=none
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
