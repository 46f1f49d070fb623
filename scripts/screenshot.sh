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

work=$(mktemp -d)
mozai_pid=""
finish() {
    [ -n "$mozai_pid" ] && kill -KILL "$mozai_pid" 2>/dev/null
    desktop_stop
    rm -rf "$work"
}
trap finish EXIT
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
unset WAYLAND_DISPLAY
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir "$work/data"
printf '3\r\n0 2 1\r\n1 0 0\r\n2 2 1\r\n0 0 0\r\n1 2 1\r\n2 0 0\r\n' >"$work/data/history.ini"
desktop_start || { echo "Xvfb did not start" >&2; exit 1; }

"$mozai" --data-dir "$work/data" >"$work/mozai.log" 2>&1 &
mozai_pid=$!
win=$(mozai_window) || { cat "$work/mozai.log" >&2; exit 1; }
read -r x y w h <<<"$(window_rect "$win")"
# The picture is taken once two screenshots in a row agree: the splash is gone and the cube
# is drawn.
previous=""
for _ in $(seq 100); do
    screenshot "$work/shot.png"
    current=$(area_sum "$work/shot.png" "$x" "$y" "$w" "$h")
    [ "$current" = "$previous" ] && break
    previous=$current
    sleep 0.1
done
kill -TERM "$mozai_pid"
wait "$mozai_pid" || true
mozai_pid=""

margin=40
# The desktop (white under Xvfb) becomes a calm blue, filled from the corners so the cube's own
# pixels stay as they are.
/usr/bin/convert "$work/shot.png" \
    -crop "$((w + 2 * margin))x$((h + 2 * margin))+$((x - margin))+$((y - margin))" +repage \
    -fill '#5b7a99' -fuzz 0 -draw 'color 0,0 floodfill' \
    -draw "color $((w + 2 * margin - 1)),$((h + 2 * margin - 1)) floodfill" \
    -strip docs/screenshot.png
echo "$root/docs/screenshot.png"
