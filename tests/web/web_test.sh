#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the browser version and tests it: the file-safety suites on
# emscripten's file system under node, then the page in headless Chromium.
# Installs Chromium and the pinned puppeteer-core (which never downloads a
# browser) when missing.
#   tests/web/web_test.sh [LINUX_BUILD_DIR]     (default build/, with the runner built)
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/lib.sh
root=$PWD
linux_build=$root/${1:-build}
echo "== web"

# By command: the machine's own node may carry an npm that no Debian package
# gives (and Debian's npm would conflict with it).
packages=()
command -v chromium > /dev/null || packages+=(chromium)
command -v npm > /dev/null || packages+=(npm)
command -v convert > /dev/null || packages+=(imagemagick)
command -v unzip > /dev/null || packages+=(unzip)
[ ${#packages[@]} -eq 0 ] || scripts/install_missing.sh "${packages[@]}"

if [ ! -x "$linux_build/runner" ]; then
    echo "no $linux_build/runner: build the Linux side with its tests first (scripts/setup.sh all build)"
    exit 1
fi
scripts/build_web.sh "${1:-build}"

# The same crash tests as the desktop's, on the file system the page keeps
# savedat/ in. Those that need other processes, users or the writer thread
# have no counterpart in a page and are left out.
wasm=$root/build-web/wasm
(cd "$wasm" && node --no-experimental-fetch file_safety_test.js --gtest_brief=1 \
    --gtest_filter='-*UnreadableRankingFile*:*UnreadableSaveSet*')
(cd "$wasm" && node --no-experimental-fetch state_crash_test.js --gtest_brief=1 \
    --gtest_filter='-*BackgroundSave*')

# Every end-to-end script played by the browser build's core (the runner
# under node) gives the desktop runner's frames, saves and output byte for byte.
replays=$(mktemp -d /tmp/kabuwebreplay-XXXXXX)
tests/e2e/replay_all.sh "$replays/linux" "$linux_build/data" "$linux_build/runner"
tests/e2e/replay_all.sh "$replays/web" "$linux_build/data" node --no-experimental-fetch "$wasm/runner.js"
kabu_compare_replays "web replays" "$replays/linux" "$replays/web"
rm -rf "$replays"

cd tests/web
if [ ! -d node_modules/puppeteer-core ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The title frames from the headless runner, as raw RGB.
mkdir -p "$work/runner"
ln -s "$linux_build/data" "$work/runner/data"
(cd "$work/runner" && "$linux_build/runner" --quiet --shots . "$root/tests/web/title.txt")
for frame in title title_menu; do
    convert "$work/runner/$frame.png" -depth 8 "rgb:$work/runner/$frame.rgb"
done
# A game saved on its last day, for the page to import and end.
mkdir -p "$work/near_end"
ln -s "$linux_build/data" "$work/near_end/data"
(cd "$work/near_end" && "$linux_build/runner" --quiet "$root/tests/web/near_end.txt" > /dev/null)
# The desktop's scaler on one frame, to compare the page's pixels with.
ln -s "$linux_build/scale_frame" "$work/scale_frame"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$linux_build/CMakeCache.txt")
node web_test.mjs "$root/build-web/site" "$work" "$version"
# The page that refused a damaged glyph file, to look at.
mkdir -p "$linux_build/screens" && cp "$work/damaged_glyphs.png" "$linux_build/screens/web_damaged_glyphs.png"
# The zip the page gives, unpacked beside the desktop game's data/: the
# desktop game continues the same game.
mkdir -p "$work/desktop"
ln -s "$linux_build/data" "$work/desktop/data"
(cd "$work/desktop" && unzip -q ../savedat.zip && "$linux_build/runner" --quiet "$work/continue.txt" > /dev/null) ||
    { echo "the desktop game did not continue the page's save as the page did"; exit 1; }
echo "the desktop game continues the page's save with the same cash and holdings"
