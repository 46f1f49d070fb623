#!/usr/bin/env bash
# Builds the optimised tree and runs every benchmark.
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
