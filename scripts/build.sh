#!/usr/bin/env bash
# Configures and builds into build/ (or $BUILD_DIR): every target, or only the
# targets named on the command line.
#   build.sh                      everything: program, tests, benchmarks
#   build.sh tessaryn tessaryn-reg
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
GEN=()
if command -v ninja >/dev/null 2>&1 && [[ ! -f "$BUILD_DIR/CMakeCache.txt" ]]; then
    GEN=(-G Ninja)
fi
cmake -S . -B "$BUILD_DIR" "${GEN[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
TARGETS=()
for t in "$@"; do
    TARGETS+=(--target "$t")
done
cmake --build "$BUILD_DIR" -j"$(nproc)" "${TARGETS[@]}"
