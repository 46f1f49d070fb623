#!/usr/bin/env bash
# Builds the optimised tree and runs every benchmark, then the side-by-side comparison with a
# screensaver cube.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build/release -j"$(nproc 2>/dev/null || echo 2)"
for b in build/release/bench/bench_*; do
    [ -x "$b" ] || continue
    echo "== $(basename "$b") =="
    "$b" "$@"
done

# Mozai's demo beside xscreensaver's rubik cube on a private desktop; the screensaver comes with
# the package xscreensaver-gl-extra, installed here where the package manager may be used.
rubik=/usr/libexec/xscreensaver/rubik
if [ ! -x "$rubik" ] && [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null 2>&1; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
        xscreensaver-gl-extra >/dev/null || true
fi
echo "== Mozai beside xscreensaver's rubik =="
tests/e2e/versus-rubik.sh build/release/app/mozai || true
