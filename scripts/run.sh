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
# shellcheck source=../tests/e2e/desktop-lib.sh
source tests/e2e/desktop-lib.sh
export QT_QPA_PLATFORM=xcb
mozai_pid=""
trap 'kill_mozai; desktop_stop' EXIT
desktop_start || exit 1

"$program" &
mozai_pid=$!
sleep "${MOZAI_DEMO_SECONDS:-5}"
data="${XDG_DATA_HOME:-$HOME/.local/share}/mozai"
shot="$data/screenshot.png"
screenshot "$shot"
stop_mozai
echo "Screenshot: $shot"
echo "Mozai ended with status $status; its files are in $data"
