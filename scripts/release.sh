#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds everything a release publishes into dist/ (or DIST_DIR), with the
# project version of CMakeLists.txt in every name:
#
#   kabusim_<version>_amd64.deb              the Debian package (cpack)
#   kabusim-<version>-windows-x64.zip        the Windows folder to unpack
#   kabusim-<version>-setup.exe              the Windows installer
#   kabusim-<version>-web.tar.gz, .zip       the browser site, in a folder
#   THIRD_PARTY_NOTICES.txt                  what each build ships of others
#   SHA256SUMS                               the checksum of each file above
#
# It runs the build scripts (scripts/setup.sh, scripts/build_windows.sh,
# scripts/build_web.sh) on the build folders of this checkout: from a clean
# clone they are built from nothing; where they are built already (after
# ./test.sh) only what changed is. Before packing it checks that the
# programs, the package and the page all show the one version.
#
#   scripts/release.sh [DIST_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
dist=$(mkdir -p "${1:-dist}" && cd "${1:-dist}" && pwd)
fail() {
    echo "release: $*" >&2
    exit 1
}

echo "== Linux: the game and the Debian package"
scripts/setup.sh play build
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' build/CMakeCache.txt)
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "no project version in build/CMakeCache.txt"
work=$(mktemp -d /tmp/kaburelease-XXXXXX)
trap 'rm -rf -- "$work"' EXIT
(cd build && cpack -G DEB -B "$work/deb") > "$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }

echo "== Windows: the zip and the installer"
scripts/build_windows.sh build-windows

echo "== the browser site"
# The node suites belong to the tests; a site built for them is kept as is.
web_tests=$(sed -n 's/^KABU_TESTS:BOOL=//p' build-web/wasm/CMakeCache.txt 2> /dev/null || true)
KABU_WEB_TESTS=${web_tests:-OFF} scripts/build_web.sh build

echo "== one version: $version"
deb="$work/deb/kabusim_${version}_amd64.deb"
zip="build-windows/kabusim-$version-windows-x64.zip"
setup="build-windows/kabusim-$version-setup.exe"
for file in "$deb" "$zip" "$setup"; do
    [ -f "$file" ] || fail "no $file (the version is $version)"
done
[ "$(build/kabusim --version)" = "kabusim $version" ] || fail "kabusim --version says $(build/kabusim --version)"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is $(dpkg-deb -f "$deb" Version)"
x86_64-w64-mingw32-windres -i build-windows/kabusim.exe -O rc 2> /dev/null | grep -q "\"ProductVersion\", \"$version\"" ||
    fail "kabusim.exe does not carry the version $version"
grep -q "<span id=\"version\">$version</span>" build-web/site/index.html || fail "the page does not show $version"

echo "== dist: $dist"
# Only the release's own files go: DIST_DIR may hold others.
rm -f -- "$dist"/kabusim_*_amd64.deb "$dist"/kabusim-*-windows-x64.zip "$dist"/kabusim-*-setup.exe \
    "$dist"/kabusim-*-web.tar.gz "$dist"/kabusim-*-web.zip "$dist/THIRD_PARTY_NOTICES.txt" "$dist/SHA256SUMS"
cp "$deb" "$zip" "$setup" "$dist/"
cp THIRD_PARTY_NOTICES.txt "$dist/"
# The site in a folder of its own name, packed the same on every run.
site="kabusim-$version-web"
cp -r build-web/site "$work/$site"
(cd "$work" && tar --sort=name --mtime=@0 --owner=0 --group=0 --numeric-owner -cf - "$site" | gzip -9 -n) \
    > "$dist/$site.tar.gz"
(cd "$work" && find "$site" -exec touch -h -d @0 {} + && find "$site" | sort | zip -q -X -@ "$dist/$site.zip")
(cd "$dist" && sha256sum -- *.deb *.zip *.exe *.tar.gz THIRD_PARTY_NOTICES.txt > SHA256SUMS)
ls -l "$dist"
