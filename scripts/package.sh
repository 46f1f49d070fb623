#!/usr/bin/env bash
# Builds the Debian package mozai_<version>_<arch>.deb with CPack from an optimised build with
# Debian's hardening flags, its dependencies found by dpkg-shlibdeps, and prints its path.
# Install it with: sudo apt-get install ./mozai_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=build/package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# Debian's policy puts games in /usr/games.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DMOZAI_TESTS=OFF -DMOZAI_BENCH=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)"
rm -f "$build"/mozai_*.deb
(cd "$build" && cpack >cpack.log 2>&1) || { cat "$build/cpack.log" >&2; exit 1; }
realpath "$build"/mozai_*.deb
