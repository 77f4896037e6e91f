#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Shared set-up of run.sh and test.sh: installs the Debian packages that are
# missing (one query for all), configures only when the build folder is new or
# an option changed, and builds. Quick when nothing changed.
#
#   scripts/setup.sh play BUILD_DIR                 what playing needs: the game and data/
#   scripts/setup.sh all BUILD_DIR [-DNAME=VALUE..]  also the tests, benchmarks and tools
set -euo pipefail

# SDL_ttf and the IPA fonts are for the asset generator: the game itself draws
# its text from data/glyphs.bin.
PLAY_PACKAGES=(build-essential cmake ninja-build pkg-config libsdl2-dev libsdl2-ttf-dev libfluidsynth-dev libx11-dev
               libstb-dev fonts-ipafont-gothic fonts-ipafont-mincho timgm6mb-soundfont)
TEST_PACKAGES=(googletest libbenchmark-dev xvfb xauth xdotool x11-apps x11-utils imagemagick python3 gdb time
               procps file lintian desktop-file-utils appstream libglib2.0-bin zenity)

mode=${1:?usage: setup.sh play|all BUILD_DIR [-DNAME=VALUE...]}
build_dir=${2:?usage: setup.sh play|all BUILD_DIR [-DNAME=VALUE...]}
shift 2
packages=("${PLAY_PACKAGES[@]}")
[ "$mode" = all ] && packages+=("${TEST_PACKAGES[@]}")

scripts/install_missing.sh "${packages[@]}"

# A new folder is configured with the options of its mode; an existing one
# keeps its options, and is configured again only for an option given here
# that it lacks.
source scripts/lib.sh
if [ "$mode" = all ]; then
    kabu_configure "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKABU_TESTS=ON "$@"
elif [ ! -f "$build_dir/CMakeCache.txt" ]; then
    kabu_configure "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKABU_TESTS=OFF
fi

if [ "$mode" = all ]; then
    cmake --build "$build_dir" -j"$(nproc)"
else
    cmake --build "$build_dir" --target kabusim gamedata packagedocs -j"$(nproc)"
fi
