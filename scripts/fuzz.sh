#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (preset "fuzz") and runs each for a bounded number of
# runs from the seed corpus in fuzz/corpus/. Any crash, leak or undefined behaviour fails.
#
# usage: fuzz.sh [RUNS]   (default 20000 runs a target, at most 60 seconds each)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-20000}
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for target in textio savedflight flightplan writers; do
    echo "fuzzing $target: $runs runs"
    mkdir -p "$scratch/$target"
    # New inputs go to the scratch folder; the seeds in the repository stay as they are.
    LC_ALL=C.UTF-8 ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "build-fuzz/fuzz/fuzz_$target" -runs="$runs" -max_total_time=60 -max_len=65536 \
        -artifact_prefix="$scratch/" "$scratch/$target" "fuzz/corpus/$target" 2>"$scratch/$target.log" || {
        tail -n 40 "$scratch/$target.log"
        echo "fuzz_$target failed; the input that did it:" "$scratch"/crash-* "$scratch"/leak-* \
            "$scratch"/timeout-* 2>/dev/null
        exit 1
    }
    tail -n 1 "$scratch/$target.log"
done
