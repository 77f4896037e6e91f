#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the browser version into build-web/site/: static files that any web
# server can host. Installs the Debian packages it needs when missing, and
# takes the host tools from the Linux build (made first when missing).
#
#   scripts/build_web.sh [LINUX_BUILD_DIR]      (default build/)
#
# KABU_WEB_TESTS=OFF leaves out the file-safety suites built for node.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
root=$PWD
linux_build=$root/${1:-build}
out=$root/build-web
site=$out/site

PACKAGES=(emscripten fluidsynth vorbis-tools timgm6mb-soundfont googletest libstb-dev cmake ninja-build g++)
scripts/install_missing.sh "${PACKAGES[@]}"

# The host tools come from the Linux build.
host=$(kabu_host_build "$linux_build")

# Debian's emscripten finds its node modules only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
wasm=$out/wasm
kabu_configure "$wasm" -DCMAKE_BUILD_TYPE=Release -DKABU_HOST_BUILD="$host" -DKABU_TESTS="${KABU_WEB_TESTS:-ON}" \
    -- emcmake
cmake --build "$wasm" -j"$(nproc)"
data=$wasm/data

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

# The page, with the project's version, and its web app manifest:
# installable, full screen, landscape.
project_version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$wasm/CMakeCache.txt")
sed "s/@VERSION@/$project_version/g" src/platform/web/page/index.html > "$site/index.html"
cp src/platform/web/page/page.css src/platform/web/page/page.js src/platform/web/page/manifest.webmanifest "$site/"
cp "$wasm/kabusim.js" "$wasm/kabusim.wasm" "$wasm/kabusim.data" "$site/"
# The licences and the notices, linked from the page.
cp "$data/IPA_Font_License.txt" THIRD_PARTY_NOTICES.txt "$site/"
cp COPYING "$site/COPYING.txt"
cp "$wasm/icons/hicolor/64x64/apps/kabusim.png" "$site/icon.png"
cp "$wasm/icons/hicolor/192x192/apps/kabusim.png" "$site/icon-192.png"
cp "$wasm/icons/hicolor/512x512/apps/kabusim.png" "$site/icon-512.png"

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
