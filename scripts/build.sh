#!/usr/bin/env bash
# Configures and builds Talvo 2003 in build/ with the "default" preset (or the preset given).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
preset=${1:-default}
cd "$root"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --parallel
