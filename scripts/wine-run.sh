#!/usr/bin/env bash
# Runs a Windows program of the Windows build under Wine, headless: ctest's emulator for the
# Windows build (cmake/mingw-w64.cmake). The Qt DLLs and the compiler's runtime DLLs are found
# through WINEPATH, Qt's plugins through QT_PLUGIN_PATH (passed on as Wine wants, see below); the
# Wine prefix is a scratch one of the build (WINEPREFIX, when set, wins), made once and shared by
# the tests.
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
# Qt's offscreen platform for Windows reads its fonts from one folder (QT_QPA_FONTDIR), not from
# the system: links to the fonts a Linux program finds (scripts/install-deps.sh installs them)
# stand there, made once beside the prefix.
if [[ -z "${QT_QPA_FONTDIR:-}" ]]; then
    fonts=${build:-${XDG_CACHE_HOME:-$HOME/.cache}/talvo}/qt-fonts
    if [[ ! -f "$fonts/.made" ]]; then
        (
            flock 9
            if [[ ! -f "$fonts/.made" ]]; then
                mkdir -p "$fonts"
                for font in /usr/share/fonts/truetype/*/*.ttf /usr/share/fonts/type1/*/*.pfb; do
                    [[ -e "$font" ]] && ln -sf "$font" "$fonts/"
                done
                touch "$fonts/.made"
            fi
        ) 9>"$fonts.lock"
    fi
    export QT_QPA_FONTDIR=$(windows_path "$fonts")
fi
export QT_PLUGIN_PATH=$(windows_path "$qt/plugins")
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# Without a console window a Windows Qt program sends its log, and a test program its results,
# to the debugger; to the standard streams (and so to ctest) with this.
export QT_FORCE_STDERR_LOGGING=${QT_FORCE_STDERR_LOGGING:-1}
# Wine keeps every QT_ variable of the Linux environment from a Windows program (they are meant
# for a Linux Qt) and passes WINEQT_X on as QT_X instead: so the platform, the plugins, the scale
# and the rest reach the program.
for name in $(compgen -e); do
    if [[ $name == QT_* ]]; then
        export "WINE$name=${!name}"
    fi
done
# A console program that another one ends (TerminateProcess) leaves Wine's headless console host
# behind, holding the standard streams it was given; ctest would wait for them to close until its
# timeout. So the program writes into a file that is shown as it grows, and this script ends with
# the program.
log=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'rm -f "$log"' EXIT
wine "$program" "$@" >"$log" 2>&1 &
pid=$!
tail -n +1 -f --pid="$pid" "$log" &
status=0
wait "$pid" || status=$?
wait
exit "$status"
