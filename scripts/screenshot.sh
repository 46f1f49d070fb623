#!/usr/bin/env bash
# Makes docs/screenshot.png, the picture at the top of the README, from the real program: a
# shuffled 3x3x3 cube (a fixed history.ini in a scratch data folder) on a private desktop (Xvfb,
# openbox, trayer), cut out around the window with the desktop around it.
# Usage: scripts/screenshot.sh [mozai executable]   (without one, builds build/release)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ $# -ge 1 ]; then
    mozai=$(realpath "$1")
else
    scripts/install-deps.sh
    cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build/release -j"$(nproc 2>/dev/null || echo 2)" --target mozai
    mozai=$root/build/release/app/mozai
fi
# shellcheck source=../tests/e2e/desktop-lib.sh
source tests/e2e/desktop-lib.sh

e2e_begin "$mozai"
printf '3\r\n0 2 1\r\n1 0 0\r\n2 2 1\r\n0 0 0\r\n1 2 1\r\n2 0 0\r\n' >history.ini

start_mozai
read -r x y w h <<<"$(window_rect "$win")"
# The picture is taken once the cube stands still.
settled_sum "$x" "$y" "$w" "$h" >/dev/null
stop_mozai

margin=40
# The desktop (white under Xvfb) becomes a calm blue, filled from the corners so the cube's own
# pixels stay as they are.
/usr/bin/convert "$work/settled.png" \
    -crop "$((w + 2 * margin))x$((h + 2 * margin))+$((x - margin))+$((y - margin))" +repage \
    -fill '#5b7a99' -fuzz 0 -draw 'color 0,0 floodfill' \
    -draw "color $((w + 2 * margin - 1)),$((h + 2 * margin - 1)) floodfill" \
    -strip "$root/docs/screenshot.png"
echo "$root/docs/screenshot.png"
