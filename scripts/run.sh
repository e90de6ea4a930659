#!/usr/bin/env bash
# Installs what is missing, builds the program (only the program and
# tessaryn-reg, so the first start comes quickly) and starts Tessaryn.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh tessaryn tessaryn-reg
exec "${BUILD_DIR:-build}/src/app/tessaryn" "$@"
