#!/usr/bin/env bash
# Installs what is missing, checks the format, builds Talvo 2003 and runs every test headless:
# the whole suite, then the whole suite again built with AddressSanitizer and
# UndefinedBehaviorSanitizer, then each fuzzer for a bounded number of runs; then, when a Qt for
# Windows is at hand (TALVO_WINDOWS_QT, or ../shared/toolchains/ beside the project), the Windows
# build, its tests under Wine and its installer and zip. TALVO_TEST_WINDOWS=0 leaves the Windows
# part out. Each part says what it cost.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
cd "$root"
"$root/scripts/install-deps.sh" --test

# Each object compiled once is kept by ccache (in ~/.cache/ccache) and taken again by any later
# run, from any checkout of the project: CMake's configure takes the launcher from these
# variables, and paths below the checkout are hashed relative to it.
if command -v ccache >/dev/null; then
    export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
    export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
fi

# The time each part took, printed at its end and again in a summary.
summary=()
part_start=$SECONDS
part() {
    if [[ -n "${part_name:-}" ]]; then
        summary+=("$(printf '%5d s  %s' $((SECONDS - part_start)) "$part_name")")
    fi
    part_name=$1
    part_start=$SECONDS
    [[ -n "$part_name" ]] && echo "== $part_name"
    return 0
}

part "Format"
"$root/scripts/check-format.sh"

part "Build and tests"
"$root/scripts/build.sh" default
ctest --preset default --parallel "$jobs"

part "Build and tests under AddressSanitizer and UndefinedBehaviorSanitizer"
"$root/scripts/build.sh" sanitize
ctest --preset sanitize --parallel "$jobs"

part "Fuzzing"
"$root/scripts/fuzz.sh" 20000

# The Qt for Windows: named, beside the project, or built earlier by scripts/build-qt-windows.sh
# (CI does not build it: that alone takes about 30 minutes).
kit=${TALVO_WINDOWS_QT:-$root/../shared/toolchains/qt6.4.2-mingw64.tar.xz}
built=${XDG_CACHE_HOME:-$HOME/.cache}/talvo/qt6.4.2-mingw64/talvo-qt-built
if [[ "${TALVO_TEST_WINDOWS:-1}" != 0 && (-e "$kit" || -e "$built") ]]; then
    part "Windows build"
    "$root/scripts/build-windows.sh"
    # Every unit test, the pilot's workflow at 1x and 2x, the installer and the zip, under Wine.
    part "Tests of the Windows build under Wine"
    ctest --preset windows --parallel "$jobs"
else
    echo "== Windows build skipped (no Qt for Windows at $kit, or TALVO_TEST_WINDOWS=0)"
fi
part ""
echo "== Time of each part"
printf '%s\n' "${summary[@]}"
