#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the Debian package with CPack, checks it with lintian (no errors), its
# declared dependencies and the glyph file with its licence, unpacks it into a
# temporary folder and starts the game from there through its launcher in a
# real window under Xvfb; Escape must end it with code 0. Usage: tests/package/package_test.sh [BUILD_DIR]
set -uo pipefail
source "$(dirname "$0")/../../scripts/start_xvfb.sh"
build_dir=$(cd "${1:-build}" && pwd)
work=$(mktemp -d /tmp/kabupackage-XXXXXX)
xvfb_pid=""
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill -9 "$game_pid" 2> /dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null && wait "$xvfb_pid" 2> /dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "package: FAILED: $*"
    echo "0 passed, 1 failed"
    exit 1
}

(cd "$build_dir" && cpack -G DEB -B "$work/out") > "$work/cpack.log" 2>&1 || fail "cpack: $(tail -n 5 "$work/cpack.log")"
deb=$(ls "$work"/out/kabusim_*.deb 2> /dev/null | head -n 1)
[ -n "$deb" ] || fail "no package made"

lintian --fail-on error "$deb" > "$work/lintian.log" 2>&1 || fail "lintian: $(grep '^E:' "$work/lintian.log")"
depends=$(dpkg-deb -f "$deb" Depends)
for package in timgm6mb-soundfont libsdl2-2.0-0 libfluidsynth3; do
    case "$depends" in *"$package"*) ;; *) fail "Depends does not name $package: $depends" ;; esac
done
# The text comes from the glyph file: no font or font library at run time.
for package in fonts-ipafont libsdl2-ttf libfreetype libfontconfig; do
    case "$depends" in *"$package"*) fail "Depends names $package: $depends" ;; esac
done

root="$work/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
for name in glyphs.bin IPA_Font_License.txt; do
    [ -s "$root/usr/share/kabusim/data/$name" ] || fail "no data/$name in the package"
done
grep -q "IPA Font License Agreement v1.0" "$root/usr/share/doc/kabusim/copyright" ||
    fail "the copyright does not carry the font licence"
launcher="$root/usr/games/kabusim-launcher"
[ -x "$launcher" ] || fail "no launcher in the package"
grep -qx 'Exec="/usr/games/kabusim-launcher"' "$root/usr/share/applications/kabusim.desktop" ||
    fail "desktop entry: $(grep Exec= "$root/usr/share/applications/kabusim.desktop")"

start_xvfb 1920x1080 || fail "Xvfb did not start"

home="$work/home"
mkdir -p "$home"
env -u XDG_DATA_HOME HOME="$home" SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 "$launcher" --window \
    > "$work/game.log" 2>&1 &
game_pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --name "^Direct X$" 2> /dev/null | head -n 1)
    [ -n "$window" ] && break
    kill -0 "$game_pid" 2> /dev/null || break
    sleep 0.1
done
[ -n "$window" ] || fail "no window appeared: $(cat "$work/game.log")"
geometry=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')
[ "$geometry" = "1280x960" ] || fail "the window is $geometry, not 1280x960"
sleep 1
kill -0 "$game_pid" 2> /dev/null || fail "the game ended on its own: $(cat "$work/game.log")"
[ -d "$home/.local/share/kabusim/savedat" ] || fail "no savedat/ in the player's folder"

xdotool keydown Escape
sleep 0.2
xdotool keyup Escape
for _ in $(seq 20); do
    kill -0 "$game_pid" 2> /dev/null || break
    sleep 0.1
done
kill -0 "$game_pid" 2> /dev/null && fail "still running two seconds after Escape"
wait "$game_pid"
code=$?
game_pid=""
[ "$code" -eq 0 ] || fail "exit code $code: $(cat "$work/game.log")"
echo "package: $(basename "$deb") passes lintian and plays from its unpacked tree"
echo "1 passed, 0 failed"
