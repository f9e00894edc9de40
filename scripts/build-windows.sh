#!/usr/bin/env bash
# Cross-builds Talvo 2003 for 64-bit Windows into build-windows/: talvo.exe, talvo-check.exe and
# every test program, with Debian's MinGW-w64 g++ (POSIX threads) against a Qt built for MinGW-w64
# (the "windows" preset of CMakePresets.json, cmake/mingw-w64.cmake), then the installer and the
# portable zip into build-windows/packages/ (the installer needs Debian's nsis). Then `ctest
# --preset windows` runs the unit tests under Wine.
#
# The Qt: TALVO_WINDOWS_QT (an unpacked Qt, or its .tar.xz archive), else the archive in
# ../shared/toolchains/ beside the project. An archive is unpacked once into
# ${XDG_CACHE_HOME:-~/.cache}/talvo/, never into the source tree. With neither, the project's own
# recipe (scripts/build-qt-windows.sh) builds the same Qt from Debian's source package into that
# cache folder once: about 30 minutes on 2 cores.
#
# The programs the build runs on this machine (render-pictures, render-icon) are built natively
# first, into build-windows/host-tools, against Debian's Qt (see docs/architecture.md).
#
# usage: build-windows.sh [extra arguments for cmake's configure step]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${TALVO_JOBS:-$(nproc)}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/talvo

for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres cmake ninja; do
    if ! command -v "$tool" >/dev/null; then
        echo "build-windows: $tool is missing (scripts/install-deps.sh --windows installs it)" >&2
        exit 1
    fi
done

kit=${TALVO_WINDOWS_QT:-$root/../shared/toolchains/qt6.4.2-mingw64.tar.xz}
if [[ -f "$kit/lib/cmake/Qt6/Qt6Config.cmake" ]]; then
    qt=$(cd "$kit" && pwd)
elif [[ -f "$kit" ]]; then
    # One folder per archive, named by its checksum: a new kit is unpacked beside the old one.
    sum=$(sha256sum "$kit" | cut -c1-16)
    unpacked=$cache/qt-$sum
    if [[ ! -f "$unpacked/done" ]]; then
        echo "build-windows: unpacking $kit into $unpacked"
        rm -rf "$unpacked"
        mkdir -p "$unpacked"
        tar -xJf "$kit" -C "$unpacked"
        touch "$unpacked/done"
    fi
    config=$(find "$unpacked" -maxdepth 5 -path '*/lib/cmake/Qt6/Qt6Config.cmake' | head -n1)
    if [[ -z "$config" ]]; then
        echo "build-windows: $kit holds no Qt (no lib/cmake/Qt6/Qt6Config.cmake)" >&2
        exit 1
    fi
    qt=${config%/lib/cmake/Qt6/Qt6Config.cmake}
elif [[ -z "${TALVO_WINDOWS_QT:-}" ]]; then
    echo "build-windows: no Qt for Windows at $kit: building it from Debian's source"
    qt=$cache/qt6.4.2-mingw64
    "$root/scripts/build-qt-windows.sh" "$qt"
else
    echo "build-windows: no Qt for Windows at $kit (TALVO_WINDOWS_QT names an unpacked Qt or" \
        "its archive)" >&2
    exit 1
fi
export TALVO_WINDOWS_QT_PREFIX=$qt

echo "== Build-time tools for this machine"
host=$root/build-windows/host-tools
cmake -S "$root" -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALVO_BUILD_TESTS=OFF \
    -DTALVO_BUILD_BENCH=OFF -DTALVO_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$host" --parallel "$jobs" --target render-pictures render-icon

echo "== Windows build (Qt in $qt)"
cmake --preset windows -DTALVO_WINDOWS_QT_PREFIX="$qt" -DTALVO_HOST_TOOLS_DIR="$host" "$@"
cmake --build --preset windows --parallel "$jobs"

echo "== Windows packages"
packages=$root/build-windows/packages
generators=ZIP
if command -v makensis >/dev/null; then
    generators="NSIS;ZIP"
else
    echo "build-windows: no makensis (Debian's nsis), so no installer: only the zip"
fi
cpack -G "$generators" --config "$root/build-windows/CPackConfig.cmake" -B "$packages" >/dev/null
rm -rf "$packages/_CPack_Packages"
ls -l "$packages"/Talvo2003-*
