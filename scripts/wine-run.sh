#!/usr/bin/env bash
# Runs a Windows program of the Windows build under Wine, headless: ctest's emulator for the
# Windows build (cmake/mingw-w64.cmake). The Qt DLLs and the compiler's runtime DLLs are found
# through WINEPATH, Qt's plugins through QT_PLUGIN_PATH; the Wine prefix is a scratch one of the
# build (WINEPREFIX, when set, wins), made once and shared by the tests.
#
# usage: wine-run.sh PROGRAM.exe [ARGUMENTS...]
# TALVO_WINDOWS_QT_PREFIX: the unpacked Qt for MinGW-w64 (scripts/build-windows.sh exports it;
# otherwise it is read from the CMakeCache.txt above the program).
set -euo pipefail
program=$1
shift
if [[ -z "${TALVO_WINDOWS_QT_PREFIX:-}" ]]; then
    folder=$(cd "$(dirname "$program")" && pwd)
    while [[ "$folder" != / && ! -f "$folder/CMakeCache.txt" ]]; do
        folder=$(dirname "$folder")
    done
    TALVO_WINDOWS_QT_PREFIX=$(sed -n 's/^TALVO_WINDOWS_QT_PREFIX:PATH=//p' "$folder/CMakeCache.txt" 2>/dev/null || true)
    build=$folder
else
    build=""
fi
qt=${TALVO_WINDOWS_QT_PREFIX:?wine-run: TALVO_WINDOWS_QT_PREFIX is not set}
if [[ -z "${WINEPREFIX:-}" ]]; then
    base=${build:-${XDG_CACHE_HOME:-$HOME/.cache}/talvo}
    export WINEPREFIX=$base/wineprefix
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# A Unix path as Wine sees it: on drive Z:, the root.
windows_path() { local path=${1//\//\\}; printf 'Z:%s' "$path"; }
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
pthreads=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
export WINEPATH="$(windows_path "$qt/bin");$(windows_path "$runtime");$(windows_path "$pthreads")"
# Tests run side by side: the first one makes the prefix, the others wait for it.
mkdir -p "$WINEPREFIX"
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    (
        flock 9
        if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
            wine wineboot -i >/dev/null 2>&1
            wineserver -w
        fi
    ) 9>"$WINEPREFIX.lock"
fi
export QT_PLUGIN_PATH=$qt/plugins
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
exec wine "$program" "$@"
