#!/usr/bin/env bash
# Builds the Talvo 2003 program (nothing else) and starts it on the bundled demo flight.
#
# The working folder is run/ at the top of the repository: its talvo.ini points at run/'s own
# copy of the demo saved-flights folder, and lib/ holds the script templates. Files that are
# already there are kept, so what the pilot changed survives the next run.
#
# With a display, the program opens for the pilot. Without one (a server, a container), it runs in
# a virtual display, compiles the demo adventure through the same pilot-like driver as the
# end-to-end test, saves screenshots and says where the adventure's files are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
headless=false
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    headless=true
fi
if $headless; then
    "$root/scripts/install-deps.sh" --test
else
    "$root/scripts/install-deps.sh"
fi
# Only the program itself, without the progress lines (warnings and errors still show).
echo "Building the program in build/ ..."
(cd "$root" && cmake --preset default >/dev/null && cmake --build build --target talvo talvo-check -- --quiet)

work=$root/run
mkdir -p "$work/lib"
cp -rn "$root/data/demo/." "$work/"
cp -n "$root/data/lib/"*.abl "$work/lib/"
if [[ ! -f "$work/talvo.ini" ]]; then
    printf '%s\\\r\n' "$work/Flight Simulator Files" >"$work/talvo.ini"
fi

if ! $headless; then
    cd "$work"
    exec "$root/build/src/app/talvo"
fi
exec "$root/scripts/demo-headless.sh" "$root/build/src/app/talvo" "$work"
