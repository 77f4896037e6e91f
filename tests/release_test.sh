#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Checks what scripts/release.sh left in DIST_DIR: every file with the one
# version in its name and its checksum in SHA256SUMS, and nothing else; the
# notices and both licences (the game's GPL and the glyph file's IPA Font
# License) in the Debian package, the Windows zip (as Notepad reads text:
# UTF-8 with a byte-order mark, CR LF) and both archives of the site, whose
# page shows the version. The installer's files are checked under Wine by
# tests/windows/windows_test.sh.
#
#   tests/release_test.sh DIST_DIR VERSION
set -uo pipefail
dist=$(cd "${1:?usage: release_test.sh DIST_DIR VERSION}" && pwd)
version=${2:?usage: release_test.sh DIST_DIR VERSION}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/kaburelease-test-XXXXXX)
trap 'rm -rf -- "$work"' EXIT
failures=0
fail() {
    echo "release: FAILED: $*"
    failures=$((failures + 1))
}

web="kabusim-$version-web"
expected="SHA256SUMS THIRD_PARTY_NOTICES.txt kabusim-$version-setup.exe kabusim-$version-windows-x64.zip $web.tar.gz $web.zip kabusim_${version}_amd64.deb"
found=$(cd "$dist" && ls | sort | tr '\n' ' ')
[ "$found" = "$(echo "$expected" | tr ' ' '\n' | sort | tr '\n' ' ')" ] || fail "dist holds: $found"
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "a checksum does not match"
[ "$(awk '{print $2}' "$dist/SHA256SUMS" | sort | tr '\n' ' ')" = "$(cd "$dist" && ls | grep -vx SHA256SUMS | sort | tr '\n' ' ')" ] ||
    fail "SHA256SUMS does not list every file: $(awk '{print $2}' "$dist/SHA256SUMS" | tr '\n' ' ')"
cmp -s "$dist/THIRD_PARTY_NOTICES.txt" "$root/THIRD_PARTY_NOTICES.txt" || fail "the notices differ from the sources'"

# notices_and_licences WHERE NOTICES COPYING IPA: the three texts say what they are.
notices() { grep -q 'winpthreads' "$2" && grep -q 'TimGM6mb' "$2" && grep -q 'Emscripten' "$2" || fail "$1: no notices in $2"; }
ipa() { grep -q 'IPA Font License Agreement v1.0' "$2" || fail "$1: no IPA Font License in $2"; }
notices_and_licences() {
    notices "$1" "$2"
    grep -q 'GNU GENERAL PUBLIC LICENSE' "$3" && grep -q 'Version 2, June 1991' "$3" || fail "$1: no GPL in $3"
    ipa "$1" "$4"
}
# Notepad's text: a byte-order mark, and every line ending in CR LF.
for_notepad() {
    [ "$(head -c 3 "$1" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "$1 has no byte-order mark"
    [ "$(tr -cd '\n' < "$1" | wc -c)" -eq "$(grep -c $'\r$' "$1")" ] || fail "$1 has lines without CR LF"
}

dpkg-deb -x "$dist/kabusim_${version}_amd64.deb" "$work/deb" || fail "the package does not unpack"
[ "$(dpkg-deb -f "$dist/kabusim_${version}_amd64.deb" Version)" = "$version" ] || fail "the package's version"
copyright="$work/deb/usr/share/doc/kabusim/copyright"
notices deb "$copyright"
ipa deb "$copyright"
grep -q 'GNU General Public License' "$copyright" && grep -q '/usr/share/common-licenses/GPL-2' "$copyright" ||
    fail "deb: the copyright does not grant the GPL"

unzip -q "$dist/kabusim-$version-windows-x64.zip" -d "$work/zip" || fail "the zip does not unpack"
game="$work/zip/kabusim"
notices_and_licences zip "$game/THIRD_PARTY_NOTICES.txt" "$game/COPYING.txt" "$game/data/IPA_Font_License.txt"
for text in readme.txt COPYING.txt THIRD_PARTY_NOTICES.txt data/IPA_Font_License.txt; do
    for_notepad "$game/$text"
done

mkdir -p "$work/tar" "$work/webzip"
tar -xzf "$dist/$web.tar.gz" -C "$work/tar" || fail "the site's tar.gz does not unpack"
unzip -q "$dist/$web.zip" -d "$work/webzip" || fail "the site's zip does not unpack"
diff -r "$work/tar" "$work/webzip" > /dev/null || fail "the site's two archives differ"
site="$work/tar/$web"
notices_and_licences site "$site/THIRD_PARTY_NOTICES.txt" "$site/COPYING.txt" "$site/IPA_Font_License.txt"
for file in index.html kabusim.js kabusim.wasm kabusim.data page.js; do
    [ -s "$site/$file" ] || fail "the site has no $file"
done
grep -q "<span id=\"version\">$version</span>" "$site/index.html" || fail "the page does not show $version"

if [ "$failures" -ne 0 ]; then
    echo "release: $failures check(s) failed"
    exit 1
fi
echo "release: $(ls "$dist" | wc -l) files of version $version in $dist, their checksums, notices and licences checked"
