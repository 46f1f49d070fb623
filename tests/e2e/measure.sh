#!/usr/bin/env bash
# Measures the built program on a private desktop (Xvfb, openbox, trayer): the time from the
# process start to its first painted frame (three starts, the splash left out), the same with the
# worst history.ini and color.ini there can be, and the CPU it and the X server use while nothing
# moves (a 3 x 3 x 3 cube, 10 s), with the OpenGL sticker pass and without it.
# Usage: measure.sh <mozai executable> [seconds]
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
mozai=$(realpath "$1")
seconds=${2:-10}

# shellcheck source=desktop-lib.sh
source "$here/desktop-lib.sh"

work=$(mktemp -d)
mozai_pid=""
cleanup() {
    [ -n "$mozai_pid" ] && kill -KILL "$mozai_pid" 2>/dev/null
    desktop_stop
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
unset WAYLAND_DISPLAY
mkdir -m 700 "$XDG_RUNTIME_DIR"
cd "$work" || exit 1
desktop_start || { echo "Xvfb did not start" >&2; exit 1; }

# User plus system time of a process, in clock ticks.
cpu_ticks() {
    awk '{print $14 + $15}' "/proc/$1/stat"
}

# One start with the files as they are; prints what the start-up trace says, after "$1: ".
first_frame() {
    MOZAI_TRACE_STARTUP=1 "$mozai" 2>"$work/trace" &
    mozai_pid=$!
    # A long history takes its time to replay.
    mozai_window 1200 >/dev/null
    sleep 0.5
    kill -KILL "$mozai_pid"
    wait "$mozai_pid" 2>/dev/null
    mozai_pid=""
    echo "  $1: $(grep 'first frame' "$work/trace" | sed 's/^mozai: //')"
}

echo "Start-up to the first frame:"
for run in 1 2 3; do
    rm -f history.ini* color.ini*
    first_frame "run $run"
done

# Moves that turn every layer of a 10-cube in turn.
moves() {
    awk -v n="$1" 'BEGIN { printf "10\r\n"; for (i = 0; i < n; i++) printf "%d %d %d\r\n", i % 3, i % 10, i % 2 }'
}
echo "Start-up to the first frame with the worst files:"
worst() {
    rm -rf history.ini* color.ini*
    case $1 in
    million) moves 1000000 >history.ini ;;
    ten-million) moves 10000000 >history.ini ;;
    zeros) truncate -s 1G history.ini && truncate -s 1G color.ini ;;
    devices) ln -s /dev/zero history.ini && ln -s /dev/zero color.ini ;;
    fifos) mkfifo history.ini color.ini ;;
    esac
    first_frame "$1"
}
worst million
worst ten-million
worst zeros
worst devices
worst fifos
rm -rf history.ini* color.ini*

server_pid=${desktop_pids[0]}
hz=$(getconf CLK_TCK)
idle() {
    rm -f history.ini* color.ini*
    "$mozai" 2>/dev/null &
    mozai_pid=$!
    mozai_window >/dev/null
    sleep 2
    local before server_before after server_after
    before=$(cpu_ticks "$mozai_pid")
    server_before=$(cpu_ticks "$server_pid")
    sleep "$seconds"
    after=$(cpu_ticks "$mozai_pid")
    server_after=$(cpu_ticks "$server_pid")
    kill -TERM "$mozai_pid"
    wait "$mozai_pid"
    mozai_pid=""
    awk -v a=$((after - before)) -v s=$((server_after - server_before)) -v hz="$hz" \
        -v t="$seconds" -v what="$1" 'BEGIN {
            printf "  %s: Mozai %.1f %% of one core, X server %.1f %%\n",
                what, 100 * a / hz / t, 100 * s / hz / t }'
}
echo "CPU while the cube stands still for $seconds s:"
idle "OpenGL sticker pass (DirectX)"
QT_XCB_GL_INTEGRATION=none idle "no OpenGL (GDI only)"
