#!/usr/bin/env bash
# Builds the Qt for Windows that scripts/build-windows.sh needs, when no ready one is at hand:
# Qt 6.4.2's qtbase (Core, Gui, Widgets, Test; the windows, offscreen and minimal platform
# plugins; the native style) cross-built for 64-bit Windows with Debian's MinGW-w64 g++ (POSIX
# threads), from Debian's own qt6-base 6.4.2+dfsg-10 source package with Debian's four security
# patches, against Debian's Qt 6.4.2 host tools (moc, rcc, uic). About 30 minutes on 2 cores.
#
# The two source archives come from Debian's archive and are checked against the checksums below
# (those of the package's signed .dsc). Debian removed the tablet library's header from its source
# for its licence, so tablet events are off. Everything happens in the cache folder; the source
# tree is never touched.
#
# usage: build-qt-windows.sh [--configure-only] [PREFIX]
#   PREFIX: where the Qt goes, ${XDG_CACHE_HOME:-~/.cache}/talvo/qt6.4.2-mingw64 unless given.
#   --configure-only: fetch, check, patch and configure, then stop (a quick check of the recipe).
# TALVO_DEBIAN_MIRROR: another Debian mirror than deb.debian.org.
set -euo pipefail
configure_only=0
if [[ "${1:-}" == "--configure-only" ]]; then
    configure_only=1
    shift
fi
cache=${XDG_CACHE_HOME:-$HOME/.cache}/talvo
prefix=${1:-$cache/qt6.4.2-mingw64}
work=$cache/qt6.4.2-mingw64-work
mirror=${TALVO_DEBIAN_MIRROR:-https://deb.debian.org/debian}
jobs=${TALVO_JOBS:-$(nproc)}

if [[ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" && -f "$prefix/talvo-qt-built" ]]; then
    echo "build-qt-windows: the Qt for Windows is already built in $prefix"
    exit 0
fi
for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-windres \
    cmake ninja curl sha256sum patch /usr/lib/qt6/libexec/moc; do
    if ! command -v "$tool" >/dev/null; then
        echo "build-qt-windows: $tool is missing (scripts/install-deps.sh --windows installs it)" >&2
        exit 1
    fi
done

# The source package's two archives, as its .dsc lists them.
archives=(
    "4f14b89a9463a540fd84a6718b8519a2297119b454ef547721015a9e9019ae9e qt6-base_6.4.2+dfsg.orig.tar.xz"
    "d1a2621b1acb1606db7274ccdb96654564cea04af836c5b86da94e150714d16c qt6-base_6.4.2+dfsg-10.debian.tar.xz"
)
mkdir -p "$work/download"
for entry in "${archives[@]}"; do
    name=${entry#* }
    if ! (cd "$work/download" && echo "$entry" | sed 's/ /  /' | sha256sum --check --status 2>/dev/null); then
        echo "build-qt-windows: fetching $name"
        curl --fail --location --silent --show-error -o "$work/download/$name.part" \
            "$mirror/pool/main/q/qt6-base/$name"
        mv "$work/download/$name.part" "$work/download/$name"
        if ! (cd "$work/download" && echo "$entry" | sed 's/ /  /' | sha256sum --check --status); then
            echo "build-qt-windows: $name does not have the checksum of Debian's package" >&2
            exit 1
        fi
    fi
done

# A fresh source tree with the security patches, each time: a half-patched tree from an
# interrupted run is never built.
src=$work/qtbase-everywhere-src-6.4.2
rm -rf "$src" "$work/debian"
tar -xJf "$work/download/qt6-base_6.4.2+dfsg.orig.tar.xz" -C "$work"
mkdir -p "$work/debian"
tar -xJf "$work/download/qt6-base_6.4.2+dfsg-10.debian.tar.xz" -C "$work/debian"
for fix in cve-2023-24607.patch cve-2023-32762.diff cve-2023-32763.diff cve-2023-33285.diff; do
    patch --quiet -d "$src" -p1 <"$work/debian/debian/patches/$fix"
done

cat >"$work/mingw-w64.cmake" <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
EOF

# Only what the program and its tests use; image codecs, fonts and text shaping are Qt's own
# bundled copies, so the DLLs need nothing but Windows and the compiler's runtime.
rm -rf "$work/build"
cmake -S "$src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$work/mingw-w64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DINPUT_opengl=no \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_openssl=OFF -DFEATURE_sql_sqlite=OFF -DFEATURE_zstd=OFF \
    -DINPUT_libjpeg=qt -DINPUT_libpng=qt -DINPUT_zlib=qt -DINPUT_pcre=qt -DINPUT_freetype=qt \
    -DINPUT_harfbuzz=qt -DFEATURE_tabletevent=OFF >"$work/configure.log"
if ((configure_only)); then
    echo "build-qt-windows: configured in $work/build (log: $work/configure.log)"
    exit 0
fi
echo "build-qt-windows: building Qt for Windows (about 30 minutes on 2 cores)"
nice -n 10 cmake --build "$work/build" --parallel "$jobs"
rm -rf "$prefix"
cmake --install "$work/build" >/dev/null
touch "$prefix/talvo-qt-built"
rm -rf "$work/build" "$src" "$work/debian"
echo "build-qt-windows: Qt for Windows built into $prefix"
