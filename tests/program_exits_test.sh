#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The program's answers before any window opens, as a user meets them in a
# terminal: help and version (exit 0), an unknown option (one line, exit 2), no
# display or a video system that cannot start (one line, exit 1, at once), and
# no game data in the working folder nor beside the program (one line naming
# both, exit 1). Usage: program_exits_test.sh BUILD_DIR
# Then a damaged glyph file and a second copy of a running game (below).
set -uo pipefail
build=$(cd "${1:?usage: program_exits_test.sh BUILD_DIR}" && pwd)
work=$(mktemp -d /tmp/kabuexits-XXXXXX)
source "$(dirname "$0")/../scripts/start_xvfb.sh"
trap '{ kill -9 ${first_pid:-} && wait ${first_pid:-}; kill ${xvfb_pid:-}; } 2> /dev/null; rm -rf -- "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# run EXPECTED_CODE DIR [env...] -- ARGS: runs the game in DIR, keeps its
# output, and checks the exit code and that it took under two seconds.
run() {
    local expected=$1 dir=$2
    shift 2
    local vars=()
    while [ "$1" != "--" ]; do
        vars+=("$1")
        shift
    done
    shift
    local start end code
    start=$(date +%s%N)
    (cd "$dir" && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "${vars[@]}" "$game" "$@") \
        > "$work/out" 2> "$work/err"
    code=$?
    end=$(date +%s%N)
    [ "$code" -eq "$expected" ] || fail "kabusim $* (${vars[*]}): exit $code, not $expected: $(cat "$work/err")"
    [ $(((end - start) / 1000000)) -lt 2000 ] || fail "kabusim $* (${vars[*]}) took $(((end - start) / 1000000)) ms"
}
one_line_saying() {
    [ "$(wc -l < "$work/err")" -eq 1 ] || fail "not one line on stderr: $(cat "$work/err")"
    grep -q -- "$1" "$work/err" || fail "stderr does not say '$1': $(cat "$work/err")"
}

game="$build/kabusim"
run 0 "$build" -- --help
grep -q "^Usage: kabusim" "$work/out" || fail "--help: $(cat "$work/out")"
grep -q -- "--window" "$work/out" || fail "--help does not list --window"
run 0 "$build" -- --version
grep -qE "^kabusim [0-9]+\.[0-9]+\.[0-9]+$" "$work/out" || fail "--version: $(cat "$work/out")"
run 2 "$build" -- --windowed
one_line_saying "unknown option '--windowed'"
[ ! -s "$work/out" ] || fail "an unknown option printed on stdout"
run 2 "$build" -- --window --scale=blurry
one_line_saying "unknown option '--scale=blurry'"

# No display: nothing to show the game on, never an invisible window.
run 1 "$build" --
one_line_saying "DISPLAY is not set"
display=120
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
run 1 "$build" DISPLAY=":$display" --
one_line_saying "cannot open the display ':$display'"
run 1 "$build" DISPLAY=":$display" SDL_VIDEODRIVER=x11 --
one_line_saying "video system cannot start"

# Started elsewhere, the game finds the data beside itself (and then only the
# display is missing); a copy of the program with no data says where it looked.
mkdir -p "$work/elsewhere" "$work/bare"
run 1 "$work/elsewhere" --
one_line_saying "DISPLAY is not set"
cp "$game" "$work/bare/kabusim"
game="$work/bare/kabusim"
run 1 "$work/elsewhere" DISPLAY=":$display" --
one_line_saying "no game data: $work/elsewhere/data/char.BMP and $work/bare/data/char.BMP are missing"

# The glyph file is taken only whole: the game names it and does not start.
mkdir -p "$work/glyphs/data" "$build/screens"
ln -s "$build/data/char.BMP" "$work/glyphs/data/"
game="$build/kabusim"
for damage in missing short long changed; do
    "$(dirname "$0")/damage_glyphs.sh" "$build/data/glyphs.bin" "$work/glyphs/data/glyphs.bin" $damage
    run 1 "$work/glyphs" DISPLAY=":$display" --
    [ $damage = missing ] && said=missing || said=damaged
    one_line_saying "damaged game data: $work/glyphs/data/glyphs.bin is $said"
done

# One game per folder: beside a first copy (SDL's display-less video), a second,
# redirected, on a terminal or from the desktop (a box, read under Xvfb), says
# so, exits 1, changes nothing; once the first is killed a start holds it at once.
folder="$work/game"
mkdir -p "$folder/savedat" && ln -s "$build/data" "$folder/data"
for name in data edit rist grafu grafu2 rank; do head -c 4000 /dev/urandom > "$folder/savedat/$name.txt"; done
# Read from /proc/locks: trying the lock would hold it for a moment, and a
# game starting then would take itself for the second copy.
held() { grep -qE "FLOCK +ADVISORY +WRITE +[0-9]+ +[0-9a-f]+:[0-9a-f]+:$(stat -c %i "$folder") " /proc/locks; }
listing() { ls -la --time-style=full-iso "$folder" "$folder/savedat" && sha256sum "$folder"/savedat/*; }
start_first() {
    (cd "$folder" && exec env -u DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$game" > "$work/first" 2>&1) &
    first_pid=$!
    for _ in $(seq 50); do held && return; sleep 0.1; done
    fail "the game does not hold its folder: $(cat "$work/first")"
}
start_first
before=$(listing)
run 1 "$folder" -- --stats="$folder/stats.txt"
one_line_saying "another copy of the game is running with the saves in $folder/savedat"
(cd "$folder" && script -qec "env -u DISPLAY '$game'" /dev/null) > "$work/err" 2>&1
[ $? -eq 1 ] && one_line_saying "another copy of the game is running" || fail "a second copy in a terminal"
start_xvfb 800x600 || fail "Xvfb did not start"
(cd "$folder" && exec timeout 10 "$game" 2> /dev/null) &
second_pid=$!
for _ in $(seq 50); do box=$(xdotool search --name '^Kabusim$' 2> /dev/null) && break; sleep 0.1; done
sleep 0.3 && import -window root "$build/screens/linux_second_copy.png" 2> /dev/null
xdotool windowfocus --sync "$box" key Return 2> /dev/null || fail "no box for a second copy from the desktop"
wait "$second_pid"
code=$?
[ "$code" -eq 1 ] || fail "a second copy from the desktop: exit $code"
[ "$(listing)" = "$before" ] || fail "the second copies changed the first's folder: $(listing)"
kill -9 "$first_pid" && wait "$first_pid" 2> /dev/null
start_first

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "program exits: ok"
