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

cp src/platform/web/page/index.html src/platform/web/page/page.css src/platform/web/page/page.js "$site/"
cp "$wasm/kabusim.js" "$wasm/kabusim.wasm" "$wasm/kabusim.data" "$site/"
cp "$data/IPA_Font_License.txt" "$site/"
cp "$linux_build/icons/hicolor/64x64/apps/kabusim.png" "$site/icon.png"
cp "$linux_build/icons/hicolor/192x192/apps/kabusim.png" "$site/icon-192.png"
cp "$linux_build/icons/hicolor/512x512/apps/kabusim.png" "$site/icon-512.png"

# The web app manifest: installable, full screen, landscape.
cat > "$site/manifest.webmanifest" <<'MANIFEST'
{
  "name": "カブシム",
  "short_name": "カブシム",
  "description": "株の売買で資産を増やすシミュレーションゲーム",
  "lang": "ja",
  "id": "./",
  "start_url": "./",
  "scope": "./",
  "display": "fullscreen",
  "orientation": "landscape",
  "background_color": "#000000",
  "theme_color": "#000000",
  "icons": [
    { "src": "icon-192.png", "sizes": "192x192", "type": "image/png", "purpose": "any" },
    { "src": "icon-512.png", "sizes": "512x512", "type": "image/png", "purpose": "any" }
  ]
}
MANIFEST

# The service worker caches every other file of the site, under a version
# that is the hash of them all: any change to the site is a new worker.
rm -f "$site/sw.js"
files=$(cd "$site" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
version=$(cd "$site" && printf '%s\n' "$files" | xargs sha256sum | sha256sum | cut -c1-16)
list=$(printf '%s\n' "$files" | sed "s/.*/'&'/" | paste -sd, | sed 's/,/, /g')
sed -e "s|^const VERSION = 'unbuilt';|const VERSION = '$version';|" -e "s|^const FILES = \[\];|const FILES = [$list];|" \
    src/platform/web/page/sw.js > "$site/sw.js"
grep -q "^const VERSION = '$version';" "$site/sw.js" || { echo "sw.js: no version written"; exit 1; }
echo "web site in $site ($(du -sh "$site" | cut -f1))"
