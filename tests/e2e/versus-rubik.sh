#!/usr/bin/env bash
# Mozai's demo beside xscreensaver's rubik cube on one private desktop (Xvfb, openbox, trayer):
# the CPU of each program plus the X server's, at the same window size and about the same rate
# (a frame every 30 ms), N = 3 and N = 10. The runs alternate within each round, so a busy
# machine weighs on every program alike; each Mozai build's ratio to the screensaver is taken
# within one round. Goals: at most 1.0 at N = 3 and at most 0.8 at N = 10. Run by hand or by
# scripts/bench.sh, never by the test command.
# Usage: versus-rubik.sh <mozai executable>... (e.g. the old build, then the new one; each file
# named mozai, the name its tray icon is found by)
# Environment: SECONDS_EACH (default 15), ROUNDS (default 2), RUBIK (the screensaver's path).
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
rubik=${RUBIK:-/usr/libexec/xscreensaver/rubik}
seconds=${SECONDS_EACH:-15}
rounds=${ROUNDS:-2}
if [ ! -x "$rubik" ]; then
    echo "SKIP: no $rubik (package xscreensaver-gl-extra)"
    exit 77
fi
[ $# -ge 1 ] || { echo "usage: $0 <mozai executable>..." >&2; exit 2; }
builds=()
for exe in "$@"; do builds+=("$(realpath "$exe")"); done

# shellcheck source=desktop-lib.sh
source "$here/desktop-lib.sh"
e2e_begin "${builds[0]}"

server_pid=${desktop_pids[0]}
hz=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# CPU ticks of process $1 and of the X server over $seconds, into $p and $s.
sample() {
    local p0 s0
    p0=$(cpu_ticks "$1")
    s0=$(cpu_ticks "$server_pid")
    sleep "$seconds"
    p=$(($(cpu_ticks "$1") - p0))
    s=$(($(cpu_ticks "$server_pid") - s0))
}

# Mozai's demo with a cube of size $1: sample's $p and $s, and its window size as $size.
mozai_demo() {
    rm -f history.ini color.ini
    printf '%s\r\n' "$1" >history.ini
    start_mozai
    read -r _ _ w h <<<"$(window_rect "$win")"
    size="${w}x${h}"
    demo_switch || echo "  (no menu for the demo)" >&2
    xdotool mousemove 0 0
    popup_gone
    sample "$mozai_pid"
    stop_mozai
}

rubik_window() { xdotool search --onlyvisible --pid "$rubik_pid" 2>/dev/null | grep -q .; }

# The screensaver with a cube of size $1 in a window of $size: sample's $p and $s.
rubik_run() {
    "$rubik" --window --geometry "$size+100+100" --size "$1" --delay 30000 >/dev/null 2>&1 &
    rubik_pid=$!
    wait_for 20 rubik_window || echo "  (rubik showed no window)" >&2
    sample "$rubik_pid"
    kill "$rubik_pid" 2>/dev/null
    wait "$rubik_pid" 2>/dev/null
}

# "label ticks ticks" -> a line of % of one core and ms a 30 ms tick.
show() {
    awk -v what="$1" -v p="$2" -v s="$3" -v hz="$hz" -v t="$seconds" 'BEGIN {
        ticks = t * 1000 / 30
        printf "    %-28s %5.2f %% + X %5.2f %% = %5.2f %%   per tick %.2f + %.2f ms\n", what,
            100 * p / hz / t, 100 * s / hz / t, 100 * (p + s) / hz / t,
            1000 * p / hz / ticks, 1000 * s / hz / ticks }'
}

echo "Each run ${seconds} s, ${rounds} rounds; CPU as % of one core, program + X server."
for round in $(seq "$rounds"); do
    for n in 3 10; do
        echo "  round $round, N = $n:"
        totals=()
        for i in "${!builds[@]}"; do
            mozai=${builds[$i]}
            mozai_demo "$n"
            show "Mozai #$((i + 1)) demo" "$p" "$s"
            totals+=($((p + s)))
        done
        rubik_run "$n"
        show "rubik --size $n" "$p" "$s"
        for i in "${!totals[@]}"; do
            awk -v m="${totals[$i]}" -v r=$((p + s)) -v i=$((i + 1)) -v n="$n" 'BEGIN {
                goal = n == 3 ? 1.0 : 0.8
                printf "    ratio Mozai #%d / rubik: %.2f (goal <= %.1f)\n", i, r ? m / r : 0, goal }'
        done
    done
done
