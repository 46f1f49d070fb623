#!/usr/bin/env bash
# Installs what is missing, builds Mozai twice (optimised, and Debug with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test in both builds, then each fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build/release -j"$jobs"

cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DMOZAI_SANITIZE=ON -DMOZAI_BENCH=OFF > /dev/null
cmake --build build/asan -j"$jobs"

# The tests must never pick up a desktop session's settings.
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME XDG_DATA_HOME XDG_RUNTIME_DIR
XDG_CONFIG_HOME=$(mktemp -d)
XDG_DATA_HOME=$(mktemp -d)
XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"' EXIT

echo "== optimised build =="
ctest --test-dir build/release --output-on-failure -j"$jobs"

echo "== fuzz targets, 15 s each =="
scripts/fuzz.sh 15

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
# shellcheck source=scripts/sanitizer-env.sh
source scripts/sanitizer-env.sh
ctest --test-dir build/asan --output-on-failure -j"$jobs"

