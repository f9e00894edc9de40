#!/usr/bin/env bash
# Installs what is missing, checks the format, builds Talvo 2003 and runs every test headless:
# the whole suite, then the whole suite again built with AddressSanitizer and
# UndefinedBehaviorSanitizer, then each fuzzer for a bounded number of runs; then, with
# TALVO_TEST_WINDOWS=1 and a Qt for Windows at hand (TALVO_WINDOWS_QT, or ../shared/toolchains/
# beside the project), the Windows build and its tests under Wine. CI does not set it yet: the
# Windows build and its tests add about a quarter of an hour and have not yet run in a fresh CI
# checkout.
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
if [[ "${TALVO_TEST_WINDOWS:-0}" == 1 && -e "$kit" ]]; then
    echo "== Windows build"
    "$root/scripts/build-windows.sh"
    echo "== Tests of the Windows build under Wine"
    ctest --preset windows --parallel "$jobs"
else
    echo "== Windows build skipped (TALVO_TEST_WINDOWS=1 and a Qt for Windows at $kit run it)"
fi
