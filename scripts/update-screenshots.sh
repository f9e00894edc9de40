#!/usr/bin/env bash
# Copies the screenshots the end-to-end test took into docs/screenshots, for the README.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shots=${1:-$root/build/screenshots}
for name in checkp form2 b747 message-loaded message-compiled; do
    cp "$shots/$name.png" "$root/docs/screenshots/$name.png"
done
