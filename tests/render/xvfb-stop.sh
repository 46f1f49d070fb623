#!/bin/sh
# Stops the Xvfb that xvfb-start.sh started for <dir>.
# Usage: xvfb-stop.sh <dir>
set -u
dir=$1
[ -s "$dir/pid" ] || exit 0
pid=$(cat "$dir/pid")
rm -f "$dir/pid" "$dir/display" "$dir/number"
kill "$pid" 2>/dev/null || exit 0
tries=0
while kill -0 "$pid" 2>/dev/null && [ "$tries" -lt 50 ]; do
    tries=$((tries + 1))
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    kill -9 "$pid" 2>/dev/null
fi
echo "Xvfb $pid stopped"
