#!/usr/bin/env bash
# Installs what is missing, builds Mozai and starts it. history.ini and color.ini live in the
# per-user data folder, not in the checkout. Without a display, Mozai runs for a few seconds on
# a virtual one (Xvfb with a window manager and a tray) and a screenshot is saved.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build/release -j"$(nproc 2>/dev/null || echo 2)" --target mozai

data="${XDG_DATA_HOME:-$HOME/.local/share}/mozai"
mkdir -p "$data"
cd "$data"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$root/build/release/app/mozai"
fi

echo "No display: running Mozai on a virtual one for a few seconds."
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
export DISPLAY=":$display"
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; }
trap cleanup EXIT
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.1; done
openbox > /dev/null 2>&1 &
pids+=($!)
trayer --edge bottom --align right --widthtype pixel --width 120 --height 24 > /dev/null 2>&1 &
pids+=($!)
sleep 1
"$root/build/release/app/mozai" &
mozai=$!
sleep "${MOZAI_DEMO_SECONDS:-5}"
shot="$data/screenshot.png"
import -window root "$shot"
kill -TERM "$mozai" 2>/dev/null || true
wait "$mozai" 2>/dev/null || true
echo "Screenshot: $shot"
