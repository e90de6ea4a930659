#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest.
# The end-to-end tests need an X display: when none is set, they start their
# own Xvfb (see tests/e2e), so this works on a headless machine too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --test
scripts/build.sh
cd "${BUILD_DIR:-build}"
ctest --output-on-failure -j"$(nproc)" "$@"
