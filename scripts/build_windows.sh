#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the game for 64-bit Windows with Debian's mingw-w64 into
# build-windows/: kabusim.exe, runner.exe, the test suites, and the packages
# kabusim-<version>-windows-x64.zip and kabusim-<version>-setup.exe. Installs
# the Debian packages that are missing first, as scripts/setup.sh does, and
# builds the Linux side's data/ (the asset generator runs on this machine).
#
#   scripts/build_windows.sh [BUILD_DIR]     (build-windows by default)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-windows}

# Wine, Xvfb and xdotool are for the tests under Wine (tests/windows).
PACKAGES=(g++-mingw-w64-x86-64 googletest libstb-dev nsis zip unzip cmake ninja-build wine wine64 xvfb xauth xdotool
          x11-apps imagemagick python3)
scripts/install_missing.sh "${PACKAGES[@]}"

# data/ and the icon, made by the Linux build's asset generator.
scripts/setup.sh play build
host_build=$(cd build && pwd)

# The characters of the game's texts are gathered by a tool of this machine.
mkdir -p "$build_dir/host"
glyphset="$build_dir/host/glyphset"
if [ ! -x "$glyphset" ] || [ tools/glyphset/glyphset.cpp -nt "$glyphset" ]; then
    g++ -std=c++20 -O2 -Wall -Wextra tools/glyphset/glyphset.cpp -o "$glyphset"
fi

if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-toolchain.cmake \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKABU_TESTS=ON -DKABU_HOST_BUILD="$host_build" \
        -DKABU_GLYPHSET="$(cd "$build_dir/host" && pwd)/glyphset" > "$build_dir.configure.log" 2>&1 ||
        { cat "$build_dir.configure.log"; exit 1; }
fi
cmake --build "$build_dir" -j"$(nproc)"
cmake --build "$build_dir" --target packages
