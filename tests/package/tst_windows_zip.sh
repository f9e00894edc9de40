#!/usr/bin/env bash
# The portable zip of a Windows build: one top folder that is a working folder of its own
# (talvo.ini "none" and lib\ with the templates beside the program), the shipped defaults, and
# every DLL the programs and Qt's plugins import either in it or Windows' own. (The installer's
# test starts it under Wine.) Skipped (exit 77) without a Windows build or MinGW's objdump.
#
# usage: tst_windows_zip.sh WINDOWS_BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source_dir=$(readlink -f "$2")
here=$(dirname "$(readlink -f "$0")")
for tool in cpack unzip x86_64-w64-mingw32-objdump; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if ! grep -qs 'CPACK_GENERATOR "NSIS;ZIP"' "$build/CPackConfig.cmake"; then
    echo "SKIP: no Windows build in $build (scripts/build-windows.sh makes one)"
    exit 77
fi
scratch=$(mktemp -d /tmp/talvo-winzip.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G ZIP --config "$(readlink -f "$build")/CPackConfig.cmake" -B "$scratch/package" >/dev/null
zip=$(ls "$scratch"/package/Talvo2003-*-win64.zip)
unzip -q "$zip" -d "$scratch/unzipped"
top=$scratch/unzipped/$(basename "$zip" .zip)
[[ "$(ls "$scratch/unzipped")" == "$(basename "$zip" .zip)" ]] || fail "the zip has more than one top folder"
for file in talvo.exe talvo-check.exe platforms/qwindows.dll styles/qwindowsvistastyle.dll \
    LICENSE.txt "defaults/demo/Flight Simulator Files/Talvo.FLT"; do
    [[ -f "$top/$file" ]] || fail "the zip lacks $file"
done
cmp -s "$top/talvo.ini" "$source_dir/data/talvo.ini" || fail "the zip's talvo.ini is not the default"
for template in Talvo.abl Talvo2.abl; do
    cmp -s "$top/lib/$template" "$source_dir/data/lib/$template" || fail "the zip lacks lib\\$template"
done
"$here/windows-imports.sh" "$top" || fail "a program in the zip lacks a DLL"
echo "PASS: $(basename "$zip") is a working folder with every DLL its programs import"
