#!/bin/sh
# Stops the Xvfb that xvfb-start.sh started for <dir>. Usage: xvfb-stop.sh <dir>
dir=$1
[ -s "$dir/pid" ] || exit 0
pid=$(cat "$dir/pid")
rm -f "$dir/pid" "$dir/display" "$dir/number"
kill "$pid" 2>/dev/null || exit 0
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || exit 0
    sleep 0.1
done
kill -9 "$pid" 2>/dev/null || true
