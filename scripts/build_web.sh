#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the browser version into build-web/site/: static files that any web
# server can host. Installs the Debian packages it needs when missing, and
# takes data/ and the icon from the Linux build (made first when missing).
#
#   scripts/build_web.sh [LINUX_BUILD_DIR]      (default build/)
#
# KABU_WEB_TESTS=OFF leaves out the file-safety suites built for node.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
linux_build=$root/${1:-build}
out=$root/build-web
site=$out/site

PACKAGES=(emscripten fluidsynth vorbis-tools timgm6mb-soundfont googletest libstb-dev cmake ninja-build g++)
scripts/install_missing.sh "${PACKAGES[@]}"

# data/ comes from the Linux build's asset generator.
if [ -f "$linux_build/build.ninja" ]; then
    cmake --build "$linux_build" --target gamedata
else
    scripts/setup.sh play "$linux_build"
fi
data=$linux_build/data

# The literal converter runs on this machine.
mkdir -p "$out/host"
converter=$out/host/cp932_literals
if [ ! -x "$converter" ] || [ tools/cp932_literals/cp932_literals.cpp -nt "$converter" ]; then
    c++ -std=c++20 -O1 -Wall -Wextra -o "$converter" tools/cp932_literals/cp932_literals.cpp
fi

# Debian's emscripten finds its node modules only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
wasm=$out/wasm
tests=${KABU_WEB_TESTS:-ON}
if [ ! -f "$wasm/build.ninja" ] || ! grep -q "^KABU_WEB_TESTS:BOOL=$tests\$" "$wasm/CMakeCache.txt"; then
    emcmake cmake -S src/platform/web -B "$wasm" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DKABU_CP932_LITERALS="$converter" -DKABU_DATA="$data" -DKABU_WEB_TESTS="$tests" \
        > "$out/configure.log" 2>&1 || { cat "$out/configure.log"; exit 1; }
fi
cmake --build "$wasm" -j"$(nproc)"

# Music: each MIDI piece rendered with the soundfont the desktop plays it
# with, past its end by the notes' release, as Ogg Vorbis. The page loops it
# at the end of track, which the game reads from the MIDI file.
mkdir -p "$site/music" "$out/music"
for midi in "$data"/*.mid "$data"/*.MID; do
    [ -f "$midi" ] || continue
    stem=$(basename "${midi%.*}")
    ogg=$site/music/$stem.ogg
    if [ ! -f "$ogg" ] || [ "$midi" -nt "$ogg" ]; then
        fluidsynth -ni -r 44100 -F "$out/music/$stem.wav" /usr/share/sounds/sf2/TimGM6mb.sf2 "$midi" > /dev/null
        oggenc -Q -q 0 -o "$ogg" "$out/music/$stem.wav"
    fi
done

# The version the page shows is the project's, as CMake gave it to the
# Linux build.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$linux_build/CMakeCache.txt")
sed "s/@VERSION@/$version/g" src/platform/web/page/index.html > "$site/index.html"
cp src/platform/web/page/page.css src/platform/web/page/page.js "$site/"
cp "$wasm/kabusim.js" "$wasm/kabusim.wasm" "$wasm/kabusim.data" "$site/"
# The licences and the notices, linked from the page.
cp "$data/IPA_Font_License.txt" THIRD_PARTY_NOTICES.txt "$site/"
cp COPYING "$site/COPYING.txt"
cp "$linux_build/icons/hicolor/64x64/apps/kabusim.png" "$site/icon.png"
echo "web site in $site ($(du -sh "$site" | cut -f1))"
