#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Checks what scripts/release.sh left in DIST_DIR: its files with the version
# in their names and SHA256SUMS, the site's archives alike with the version on
# the page, the package's copyright with the GPL, the notices and the IPA
# licence (the zip and installer are checked under Wine, the site in Chromium).
#   tests/release_test.sh DIST_DIR VERSION
set -uo pipefail
dist=$(cd "${1:?usage: release_test.sh DIST_DIR VERSION}" && pwd)
version=${2:?usage: release_test.sh DIST_DIR VERSION}
work=$(mktemp -d /tmp/kaburelease-test-XXXXXX)
trap 'rm -rf -- "$work"' EXIT
failures=0
fail() {
    echo "release: FAILED: $*"
    failures=$((failures + 1))
}
says() { grep -q "$2" "$1" || fail "$1 does not say $2"; }

web="kabusim-$version-web"
files="SHA256SUMS THIRD_PARTY_NOTICES.txt kabusim-$version-setup.exe kabusim-$version-windows-x64.zip $web.tar.gz $web.zip"
[ "$(cd "$dist" && ls | LC_ALL=C sort)" = "$(echo "$files kabusim_${version}_amd64.deb" | tr ' ' '\n' | LC_ALL=C sort)" ] ||
    fail "dist holds $(ls "$dist" | tr '\n' ' ')"
[ "$(awk '{print $2}' "$dist/SHA256SUMS" | sort)" = "$(cd "$dist" && ls | grep -vx SHA256SUMS | sort)" ] &&
    (cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not check every file"

dpkg-deb -x "$dist/kabusim_${version}_amd64.deb" "$work/deb" || fail "the package does not unpack"
mkdir -p "$work/tar" "$work/zip"
tar -xzf "$dist/$web.tar.gz" -C "$work/tar" && unzip -q "$dist/$web.zip" -d "$work/zip" &&
    diff -r "$work/tar" "$work/zip" > /dev/null || fail "the site's two archives differ"
says "$work/tar/$web/index.html" "<span id=\"version\">$version</span>"
for words in '/usr/share/common-licenses/GPL-2' winpthreads Emscripten TimGM6mb stb_image_write 'IPA Font License Agreement v1.0'; do
    says "$work/deb/usr/share/doc/kabusim/copyright" "$words"
done
cmp -s "$dist/THIRD_PARTY_NOTICES.txt" "$(dirname "$0")/../THIRD_PARTY_NOTICES.txt" || fail "the notices are not the sources'"

[ "$failures" -eq 0 ] || exit 1
echo "release: the $(ls "$dist" | wc -l) files of $version in $dist, checksums, notices and licences checked"
