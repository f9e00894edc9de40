#!/usr/bin/env bash
# Installs what is missing, checks the format, builds Talvo 2003 and runs every test headless:
# the whole suite, then the whole suite again built with AddressSanitizer and
# UndefinedBehaviorSanitizer, then each fuzzer for a bounded number of runs; then, when a Qt for
# Windows is at hand (TALVO_WINDOWS_QT, or ../shared/toolchains/ beside the project), the Windows
# build and its unit tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
cd "$root"
"$root/scripts/install-deps.sh" --test

echo "== Format"
"$root/scripts/check-format.sh"

echo "== Tests"
"$root/scripts/build.sh" default
ctest --preset default --parallel "$jobs"

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
"$root/scripts/build.sh" sanitize
ctest --preset sanitize --parallel "$jobs"

echo "== Fuzzing"
"$root/scripts/fuzz.sh" 20000

kit=${TALVO_WINDOWS_QT:-$root/../shared/toolchains/qt6.4.2-mingw64.tar.xz}
if [[ -e "$kit" ]]; then
    echo "== Windows build"
    "$root/scripts/build-windows.sh"
    echo "== Tests of the Windows build under Wine"
    ctest --preset windows --parallel "$jobs"
else
    echo "== Windows build skipped: no Qt for Windows at $kit"
fi
