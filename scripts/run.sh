#!/usr/bin/env bash
# Builds Talvo 2003 and starts it on the bundled demo flight.
#
# The working folder is run/ at the top of the repository: its talvo.ini points at run/'s own
# copy of the demo saved-flights folder, and lib/ holds the script templates. Files that are
# already there are kept, so what the pilot changed survives the next run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

work=$root/run
mkdir -p "$work/lib"
cp -rn "$root/data/demo/." "$work/"
cp -n "$root/data/lib/"*.abl "$work/lib/"
if [[ ! -f "$work/talvo.ini" ]]; then
    printf '%s\\\r\n' "$work/Flight Simulator Files" >"$work/talvo.ini"
fi
cd "$work"
exec "$root/build/src/app/talvo"
