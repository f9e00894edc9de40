#!/usr/bin/env bash
# Walks the DLL imports of every .exe and .dll under a Windows program's folder, as Windows
# resolves them: a program's from its own folder, a DLL's from the top folder (the program's: a
# plugin in platforms\ is loaded into the program's process), else from Windows itself. Names every import found in neither and fails; prints nothing and
# succeeds when all are there. Windows' own DLLs are known by name (the list below), not by what
# this machine happens to hold.
#
# usage: windows-imports.sh FOLDER
set -euo pipefail
folder=$1
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}

# DLLs that come with every Windows 10 and 11 (and with Wine), in lower case.
windows_dlls=" advapi32.dll authz.dll bcrypt.dll comctl32.dll comdlg32.dll crypt32.dll d2d1.dll
 d3d11.dll d3d12.dll d3d9.dll dwmapi.dll dwrite.dll dxgi.dll gdi32.dll gdiplus.dll imm32.dll
 iphlpapi.dll kernel32.dll mpr.dll msvcrt.dll netapi32.dll ntdll.dll ole32.dll oleaut32.dll
 opengl32.dll setupapi.dll shcore.dll shell32.dll shlwapi.dll user32.dll userenv.dll uxtheme.dll
 version.dll winmm.dll ws2_32.dll wtsapi32.dll"
windows_dlls=" $(tr -s '[:space:]' ' ' <<<"$windows_dlls") "

mapfile -t binaries < <(find "$folder" -type f \( -iname '*.exe' -o -iname '*.dll' \) | sort)
((${#binaries[@]} > 0)) || { echo "no .exe or .dll under $folder" >&2; exit 1; }
# The DLLs of a folder, in lower case (Windows matches names without regard to case).
dlls_in() {
    echo " $(find "$1" -maxdepth 1 -type f -iname '*.dll' -printf '%f\n' | tr 'A-Z' 'a-z' |
        tr '\n' ' ') "
}
top_dlls=$(dlls_in "$folder")

missing=0
for binary in "${binaries[@]}"; do
    imports=$("$objdump" -p "$binary" | sed -n 's/^[[:space:]]*DLL Name: //p') ||
        { echo "$binary: not a Windows binary" >&2; missing=1; continue; }
    present=$top_dlls
    if [[ "${binary,,}" == *.exe ]]; then
        present=$(dlls_in "$(dirname "$binary")")
    fi
    for dll in $imports; do
        name=$(tr 'A-Z' 'a-z' <<<"$dll")
        # The API sets (api-ms-win-*) are Windows' own names for parts of its system DLLs.
        [[ "$name" == api-ms-win-* || "$present" == *" $name "* ||
            "$windows_dlls" == *" $name "* ]] && continue
        echo "${binary#"$folder"/} imports $dll, which is neither beside the program nor Windows' own" >&2
        missing=1
    done
done
exit "$missing"
