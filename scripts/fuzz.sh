#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer on)
# and runs each in turn for the given seconds (default 60), starting from the seed corpus in
# fuzz/corpus/<target>; new inputs found go to build/fuzz/corpus/<target>, not into the
# repository. Exits non-zero when a target finds a crash, a hang or a broken property.
# Usage: scripts/fuzz.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(HistoryFileFuzz ColourFileFuzz ReplayFuzz)

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DMOZAI_FUZZ=ON -DMOZAI_GUI=OFF -DMOZAI_TESTS=OFF -DMOZAI_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build/fuzz -j"$(nproc 2>/dev/null || echo 2)" --target "${targets[@]}" >/dev/null

# A replay walks every move of the file back and forth on the puzzle: small inputs suffice.
declare -A max_len=([HistoryFileFuzz]=4096 [ColourFileFuzz]=1024 [ReplayFuzz]=512)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
    corpus=$PWD/build/fuzz/corpus/$target
    mkdir -p "$corpus" "build/fuzz/crashes/$target"
    echo "== $target, $seconds s =="
    log=build/fuzz/$target.log
    status=0
    build/fuzz/fuzz/"$target" "$corpus" "$PWD/fuzz/corpus/$target" -max_total_time="$seconds" \
        -max_len="${max_len[$target]}" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
        -artifact_prefix="$PWD/build/fuzz/crashes/$target/" >"$log" 2>&1 || status=$?
    grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|SUMMARY|property broken)' "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log"
        echo "$target failed (status $status); the input is in build/fuzz/crashes/$target"
        exit 1
    fi
done
