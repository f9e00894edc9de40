#!/usr/bin/env bash
# Copies the screenshots the end-to-end test took under its window manager, at 1x and 2x, into
# docs/screenshots, for the README. Run the end-to-end tests first (ctest -L e2e in build/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shots=${1:-$root/build/screenshots}
for name in checkp form2 b747 message-incorrect-path message-loaded message-compiled; do
    cp "$shots/$name.png" "$root/docs/screenshots/$name.png"
done
for name in checkp form2 b747 message-incorrect-path; do
    cp "$shots-2x/$name.png" "$root/docs/screenshots/$name-2x.png"
done
