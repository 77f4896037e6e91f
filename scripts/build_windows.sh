#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the game for 64-bit Windows with Debian's mingw-w64 into
# build-windows/: kabusim.exe, runner.exe, the test suites, and the packages
# kabusim-<version>-windows-x64.zip and kabusim-<version>-setup.exe. Installs
# the Debian packages that are missing first, and takes the host tools (the
# asset generator above all) from the Linux build in build/.
#
#   scripts/build_windows.sh [BUILD_DIR]     (build-windows by default)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
build_dir=${1:-build-windows}

# Wine, Xvfb and xdotool are for the tests under Wine (tests/windows).
PACKAGES=(g++-mingw-w64-x86-64 googletest libstb-dev nsis zip unzip cmake ninja-build wine wine64 xvfb xauth xdotool
          x11-apps imagemagick python3)
scripts/install_missing.sh "${PACKAGES[@]}"

host=$(kabu_host_build build)
kabu_configure "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$kabu_root/cmake/mingw-w64-toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKABU_TESTS=ON -DKABU_HOST_BUILD="$host"
cmake --build "$build_dir" -j"$(nproc)"
cmake --build "$build_dir" --target packages
