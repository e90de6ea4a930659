#!/usr/bin/env bash
# Builds the Debian package tessaryn_<version>_amd64.deb with CPack into
# build-package/ (or $PACKAGE_DIR), from a Release build of the program alone
# (no tests, no benchmarks), and checks it with lintian.
#   then: sudo apt install ./build-package/tessaryn_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --package
PACKAGE_DIR=${PACKAGE_DIR:-build-package}
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
