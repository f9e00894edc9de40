#!/usr/bin/env bash
# Installs, from Debian's packages, whatever this machine still lacks to build, run and test
# Talvo 2003. Uses sudo when not run as root. Safe to run again: it installs nothing twice.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools
    fonts-dejavu-core fonts-dejavu-extra fonts-liberation2 fonts-urw-base35
)
# The Windows build (scripts/build-windows.sh): MinGW-w64's g++ in its POSIX thread model (GCC
# 12's win32 model has no std::mutex nor std::thread) and windres (the resource compiler); Wine
# and a virtual display to run its tests. The tests install it too. The rest builds the Qt for
# Windows from Debian's source when none is at hand (scripts/build-qt-windows.sh).
windows=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb
    mingw-w64-tools curl patch xz-utils)
if [[ "${1:-}" == "--windows" ]]; then
    packages+=("${windows[@]}")
fi
if [[ "${1:-}" == "--test" ]]; then
    packages+=("${windows[@]}")
    # A virtual display with a window manager, a pilot-like driver and screenshots for the
    # end-to-end tests.
    packages+=(xvfb xauth openbox xdotool x11-utils imagemagick desktop-file-utils)
    # The package's own checks.
    packages+=(lintian)
    # Sanitizers with leak checking, libFuzzer (clang) and the benchmarks.
    packages+=(clang libclang-rt-14-dev libbenchmark-dev)
    packages+=(clang-format git)
    # Compiles kept between runs of the test command (scripts/test.sh), whatever the checkout.
    packages+=(ccache)
    # Scripts of the package tests.
    packages+=(python3)
    # The Windows installer and zip (makensis, unzip), and Wine to install and run them (the
    # installer is 64-bit: wine64 suffices, no 32-bit architecture).
    packages+=(nsis unzip wine wine64)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo=()
if ((EUID != 0)); then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
