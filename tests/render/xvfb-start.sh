#!/bin/sh
# Starts a private Xvfb for the X11 tests on a display number it finds free, and waits until it
# accepts clients. Writes the display name to <dir>/display and the server's pid to <dir>/pid.
# Usage: xvfb-start.sh <dir>
set -eu
dir=$1
mkdir -p "$dir"
rm -f "$dir/display" "$dir/number" "$dir/pid"

# Xvfb takes the first free display itself and writes its number to descriptor 3 once it is
# ready, so parallel suites never collide. Its output goes to a file: ctest waits for the
# test's own streams to close.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
    3>"$dir/number" </dev/null >/dev/null 2>"$dir/xvfb.log" &
pid=$!
echo "$pid" >"$dir/pid"

tries=0
until [ -s "$dir/number" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "Xvfb exited:" >&2
        cat "$dir/xvfb.log" >&2
        exit 1
    fi
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ]; then
        echo "Xvfb did not start within 20 s" >&2
        kill "$pid"
        exit 1
    fi
    sleep 0.1
done
number=$(tr -d '[:space:]' <"$dir/number")
echo ":$number" >"$dir/display"
echo "Xvfb $pid on :$number"
