#!/usr/bin/env bash
# Installs what is missing, builds Mozai and starts it. Mozai keeps history.ini and color.ini in
# its data folder ($XDG_DATA_HOME/mozai, by default ~/.local/share/mozai), not in the checkout.
# Without a display, Mozai runs for a few seconds (MOZAI_DEMO_SECONDS, default 5) on a virtual
# one (Xvfb with a window manager and a notification area), a screenshot is saved and its path
# printed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"$(nproc 2>/dev/null || echo 2)" --target mozai
program=$root/build/release/app/mozai

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$program"
fi

echo "No display: running Mozai on a virtual one for ${MOZAI_DEMO_SECONDS:-5} seconds."
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
trayer --edge bottom --align right --widthtype pixel --width 120 --height 24 >/dev/null 2>&1 &
pids+=($!)
# The window manager and the tray must be up before Mozai looks for them.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window &&
        xwininfo -root -tree 2>/dev/null | grep -q '"trayer"' && break
    sleep 0.1
done

"$program" &
mozai=$!
pids+=("$mozai")
sleep "${MOZAI_DEMO_SECONDS:-5}"
data="${XDG_DATA_HOME:-$HOME/.local/share}/mozai"
shot="$data/screenshot.png"
import -window root "$shot"
kill -TERM "$mozai" 2>/dev/null || true
status=0
wait "$mozai" || status=$?
echo "Screenshot: $shot"
echo "Mozai ended with status $status; its files are in $data"
