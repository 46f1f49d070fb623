#!/bin/sh
# Starts a private Xvfb for the X11 tests and waits until it accepts clients; writes the display
# name to <dir>/display and the server's pid to <dir>/pid. Usage: xvfb-start.sh <dir>
set -eu
dir=$1
mkdir -p "$dir"
rm -f "$dir/display" "$dir/number"
# Xvfb takes the first free display itself and writes its number to descriptor 3 once ready, so
# parallel suites never collide. Its own output goes to a file: ctest waits for the test's streams.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
    3>"$dir/number" </dev/null >/dev/null 2>"$dir/xvfb.log" &
echo $! >"$dir/pid"
for _ in $(seq 200); do
    if [ -s "$dir/number" ]; then
        echo ":$(tr -d '[:space:]' <"$dir/number")" >"$dir/display"
        exit 0
    fi
    kill -0 "$(cat "$dir/pid")" 2>/dev/null || break
    sleep 0.1
done
cat "$dir/xvfb.log" >&2
kill "$(cat "$dir/pid")" 2>/dev/null || true
exit 1
