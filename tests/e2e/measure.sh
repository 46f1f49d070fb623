#!/usr/bin/env bash
# Measures the built program on a private desktop (Xvfb, openbox, trayer): the time from the
# process start to the splash on screen and from the splash's end to the first frame (three
# starts, then one with each of the worst history.ini and color.ini there can be), the CPU it
# and the X server use while nothing moves (10 s) and in demo mode (20 s) at N = 3 and N = 10
# with the CPU per frame, and the resident memory with the OpenGL sticker pass and without it.
# Usage: measure.sh <mozai executable> [idle seconds] [demo seconds]
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
seconds=${2:-10}
demo_seconds=${3:-20}

# shellcheck source=desktop-lib.sh
source "$here/desktop-lib.sh"
e2e_begin "$1"

# User plus system time of a process, in clock ticks.
cpu_ticks() {
    awk '{print $14 + $15}' "/proc/$1/stat"
}
rss_mb() {
    awk '/^VmRSS/{printf "%.0f", $2 / 1024}' "/proc/$1/status"
}
# A history of size $1 with no moves.
fresh_history() {
    rm -f history.ini color.ini
    printf '%s\r\n' "$1" >history.ini
}

# One start with the files as they are; prints what the start-up trace says, after "$1: ".
trace_start() {
    MOZAI_TRACE_STARTUP=1 "$mozai" 2>"$work/trace" &
    mozai_pid=$!
    # A long history takes its time to replay behind the splash.
    wait_for 120 grep -q 'first frame' "$work/trace"
    kill_mozai
    echo "  $1: $(grep -E 'first frame|splash' "$work/trace" | sed 's/^mozai: //' | tr '\n' ' ')"
}

echo "Start-up:"
for run in 1 2 3; do
    fresh_history 3
    trace_start "run $run"
done

# Moves that turn every layer of a 10-cube in turn.
moves() {
    awk -v n="$1" 'BEGIN { printf "10\r\n"; for (i = 0; i < n; i++) printf "%d %d %d\r\n", i % 3, i % 10, i % 2 }'
}
echo "Start-up with the worst files:"
worst() {
    rm -rf history.ini* color.ini*
    case $1 in
    million) moves 1000000 >history.ini ;;
    ten-million) moves 10000000 >history.ini ;;
    zeros) truncate -s 1G history.ini && truncate -s 1G color.ini ;;
    devices) ln -s /dev/zero history.ini && ln -s /dev/zero color.ini ;;
    fifos) mkfifo history.ini color.ini ;;
    esac
    trace_start "$1"
}
worst million
worst ten-million
worst zeros
worst devices
worst fifos
rm -rf history.ini* color.ini*

server_pid=${desktop_pids[0]}
hz=$(getconf CLK_TCK)
# Runs Mozai with a cube of size $2 for $3 seconds, in demo mode when $4 is "demo", and prints
# its CPU and the X server's as % of one core, the CPU per 30 ms tick, and its resident memory.
run() {
    fresh_history "$2"
    start_mozai
    read -r x y w h <<<"$(window_rect "$win")"
    settled_sum "$x" "$y" "$w" "$h" >/dev/null
    if [ "$4" = demo ]; then
        demo_switch || echo "  (no menu for the demo)"
        xdotool mousemove 0 0
        popup_gone
    fi
    local before server_before after server_after
    before=$(cpu_ticks "$mozai_pid")
    server_before=$(cpu_ticks "$server_pid")
    sleep "$3"
    after=$(cpu_ticks "$mozai_pid")
    server_after=$(cpu_ticks "$server_pid")
    local rss
    rss=$(rss_mb "$mozai_pid")
    stop_mozai
    awk -v a=$((after - before)) -v s=$((server_after - server_before)) -v hz="$hz" \
        -v t="$3" -v what="$1" -v rss="$rss" 'BEGIN {
            ticks = t * 1000 / 30
            printf "  %s: Mozai %.2f %% of one core, X server %.2f %%; per tick %.2f ms + %.2f ms; RSS %d MB\n",
                what, 100 * a / hz / t, 100 * s / hz / t, 1000 * a / hz / ticks,
                1000 * s / hz / ticks, rss }'
}
echo "Idle for $seconds s, demo for $demo_seconds s:"
run "idle N=3, OpenGL sticker pass" 3 "$seconds" idle
run "idle N=10, OpenGL sticker pass" 10 "$seconds" idle
QT_XCB_GL_INTEGRATION=none run "idle N=10, no OpenGL (GDI only)" 10 "$seconds" idle
run "demo N=3, OpenGL sticker pass" 3 "$demo_seconds" demo
run "demo N=10, OpenGL sticker pass" 10 "$demo_seconds" demo
QT_XCB_GL_INTEGRATION=none run "demo N=3, GDI only" 3 "$demo_seconds" demo
QT_XCB_GL_INTEGRATION=none run "demo N=10, GDI only" 10 "$demo_seconds" demo
