#!/usr/bin/env bash
# Copies the screenshots the end-to-end tests took under their window manager, at 1x and 2x, into
# docs/screenshots for the README: those of the Linux build (run `ctest -L e2e` in build/ first),
# and with --windows those of the Windows build under Wine (`ctest --preset windows -L e2e`) into
# docs/screenshots/windows.
#
# usage: update-screenshots.sh [--windows] [SCREENSHOT_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [[ "${1:-}" == "--windows" ]]; then
    shots=${2:-$root/build-windows/screenshots}
    target=$root/docs/screenshots/windows
    mkdir -p "$target"
    for name in checkp form2 b747 message-incorrect-path message-loaded message-placeholder \
        message-compiled message-refused; do
        cp "$shots/$name.png" "$target/$name.png"
    done
    for name in checkp form2 b747 message-compiled; do
        cp "$shots-2x/$name.png" "$target/$name-2x.png"
    done
    exit 0
fi
shots=${1:-$root/build/screenshots}
for name in checkp form2 b747 message-incorrect-path message-loaded message-compiled; do
    cp "$shots/$name.png" "$root/docs/screenshots/$name.png"
done
for name in checkp form2 b747 message-incorrect-path; do
    cp "$shots-2x/$name.png" "$root/docs/screenshots/$name-2x.png"
done
