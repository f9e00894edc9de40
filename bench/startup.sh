#!/usr/bin/env bash
# Times the start-up of Talvo 2003 to its main interface against a minimal Qt program that shows
# one empty window, both built the same way (bench/startup_harness), in turns, each in a process
# of its own, and prints the medians and their ratio. With a Windows build the two run under Wine
# (through scripts/wine-run.sh, its Qt DLLs and plugins), on the Windows platform in a virtual
# display, as a pilot's Windows would start them; with a Linux build they run natively on the
# offscreen platform, as bench_talvo measures them.
#
# usage: bench/startup.sh BUILD_DIR [RUNS]     (RUNS: of each program, 15 unless given)
# e.g.   bench/startup.sh build-windows 15
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: startup.sh BUILD_DIR [RUNS]}" && pwd)
runs=${2:-15}

work=$(mktemp -d /tmp/talvo-startup.XXXXXX)
display_pid=""
wine_server=0
cleanup() {
    ((wine_server)) && wineserver -k 2>/dev/null
    [[ -n "$display_pid" ]] && kill "$display_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The working folder: the templates and the demo saved-flights folder, talvo.ini naming it.
cp -r "$root/data/lib" "$root/data/demo/." "$work/"
if [[ -f "$build/bench/startup_harness.exe" ]]; then
    harness=("$root/scripts/wine-run.sh" "$build/bench/startup_harness.exe")
    folder=$(printf 'Z:%s' "${work//\//\\}")
    printf '%s\\Flight Simulator Files\\\r\n' "$folder" >"$work/talvo.ini"
    platform=windows
    # A virtual display of its own for the Windows platform; Wine's server is started once
    # before the timing, so that neither program pays for it.
    display=:$((90 + RANDOM % 100))
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    display_pid=$!
    export DISPLAY=$display
    sleep 1
    export QT_QPA_PLATFORM=windows
    # Wine's server is kept running through the timing (as on a pilot's Windows the system is up
    # before a program starts): each start then pays for Wine's loader, not for Wine's boot.
    export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
    wineserver -p 2>/dev/null || true # already running: it stays up through the timing too
    wine_server=1
    (cd "$work" && "${harness[@]}" minimal) >/dev/null 2>&1 || true
else
    harness=("$build/bench/startup_harness")
    printf '%s/Flight Simulator Files\\\r\n' "$work" >"$work/talvo.ini"
    platform=offscreen
    export QT_QPA_PLATFORM=offscreen
fi
[[ -e "${harness[-1]}" ]] || { echo "startup: no ${harness[-1]} (build the target startup_harness)" >&2; exit 1; }

# Milliseconds of one start, to the first window shown and painted, and the program's end.
one_start() {
    local start end
    start=$(date +%s%N)
    (cd "$work" && "${harness[@]}" "$1") >/dev/null 2>&1 || { echo "startup: $1 failed" >&2; exit 1; }
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$work/talvo.times"
: >"$work/minimal.times"
one_start talvo >/dev/null # a warm page cache for both
for ((i = 0; i < runs; i++)); do
    one_start talvo >>"$work/talvo.times"
    one_start minimal >>"$work/minimal.times"
done
talvo=$(median <"$work/talvo.times")
minimal=$(median <"$work/minimal.times")
awk -v platform="$platform" -v runs="$runs" -v t="$talvo" -v m="$minimal" 'BEGIN {
    printf "platform %s, %d starts each, medians:\n", platform, runs
    printf "  start-up to the main interface  %8.1f ms\n", t / 1000
    printf "  minimal Qt program              %8.1f ms\n", m / 1000
    printf "  ratio                           %8.2fx\n", t / m
}'
