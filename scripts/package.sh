#!/usr/bin/env bash
# Builds the Debian package tessaryn_<version>_amd64.deb with CPack into
# build-package/ (or $PACKAGE_DIR), from a Release build of the program alone
# (no tests, no benchmarks), and checks it with lintian.
#   then: sudo apt install ./build-package/tessaryn_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --package
PACKAGE_DIR=${PACKAGE_DIR:-build-package}
# The same sources give the same package, byte for byte: every time stamp in
# it (CPack's file times, rcc's resource times) is the last commit's, or, in
# a tree copied without its git history, the date of packaging/changelog's
# newest entry. The compressed man pages and changelog carry none (gzip -n).
if [[ -z "${SOURCE_DATE_EPOCH:-}" ]]; then
    if [[ -e .git ]] && command -v git >/dev/null; then
        SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
    else
        SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l packaging/changelog -STimestamp)
    fi
fi
export SOURCE_DATE_EPOCH
GEN=()
if command -v ninja >/dev/null 2>&1 && [[ ! -f "$PACKAGE_DIR/CMakeCache.txt" ]]; then
    GEN=(-G Ninja)
fi
# Debian's hardening flags, as a Debian build would use them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$PACKAGE_DIR" "${GEN[@]}" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DBUILD_TESTING=OFF -DTESSARYN_BENCHMARKS=OFF -DTESSARYN_DEBIAN_PACKAGE=ON \
    -DCMAKE_CXX_FLAGS="$CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null
cmake --build "$PACKAGE_DIR" -j"$(nproc)"
(cd "$PACKAGE_DIR" && cpack -G DEB >/dev/null)
deb=$(ls -t "$PACKAGE_DIR"/tessaryn_*.deb | head -n1)
echo "$deb"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends
# lintian exits non-zero on errors; warnings are shown.
lintian --fail-on error "$deb"
