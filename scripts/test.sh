#!/usr/bin/env bash
# Installs what is missing, checks the format, compiles the sources for Windows (syntax only),
# builds Talvo 2003 and runs every test headless: the whole suite, then the whole suite again
# built with AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzzer for a bounded
# number of runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
cd "$root"
"$root/scripts/install-deps.sh" --test

echo "== Format"
"$root/scripts/check-format.sh"

echo "== Windows check"
"$root/scripts/windows-check.sh"

echo "== Tests"
"$root/scripts/build.sh" default
ctest --preset default --parallel "$jobs"

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
"$root/scripts/build.sh" sanitize
ctest --preset sanitize --parallel "$jobs"

echo "== Fuzzing"
"$root/scripts/fuzz.sh" 20000
