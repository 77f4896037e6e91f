#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The program's answers before any window opens, as a user meets them in a
# terminal: help and version (exit 0), an unknown option (one line, exit 2), no
# display or a video system that cannot start (one line, exit 1, at once), no
# game data in the working folder nor beside the program (one line naming
# both, exit 1), a glyph file cut, lengthened or changed by one byte (one line
# naming it, exit 1), and a second copy of the game on the saves of a running
# one (one line, or a box without a terminal; exit 1, its saves untouched, and
# a start at once after the first is killed). Usage: program_exits_test.sh BUILD_DIR
set -uo pipefail
build=$(cd "${1:?usage: program_exits_test.sh BUILD_DIR}" && pwd)
work=$(mktemp -d /tmp/kabuexits-XXXXXX)
source "$(dirname "$0")/../scripts/start_xvfb.sh"
xvfb_pid=""
first_pid=""
cleanup() {
    [ -n "$first_pid" ] && kill -9 "$first_pid" 2> /dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null
    rm -rf -- "$work"
}
trap cleanup EXIT
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

# The glyph file is taken only whole: missing, one byte short, one byte over
# or one byte changed, the game names it and does not start.
mkdir -p "$work/glyphs/data"
for file in "$build"/data/*; do
    [ "$(basename "$file")" = glyphs.bin ] || ln -s "$file" "$work/glyphs/data/"
done
glyphs="$work/glyphs/data/glyphs.bin"
size=$(stat -c %s "$build/data/glyphs.bin")
game="$build/kabusim"
run 1 "$work/glyphs" DISPLAY=":$display" --
one_line_saying "damaged game data: $glyphs is missing"
for damage in short long changed; do
    case $damage in
        short) head -c $((size - 1)) "$build/data/glyphs.bin" > "$glyphs" ;;
        long) { cat "$build/data/glyphs.bin"; printf 'x'; } > "$glyphs" ;;
        changed) cp "$build/data/glyphs.bin" "$glyphs"
                 printf '\x55' | dd of="$glyphs" bs=1 seek=$((size / 2)) conv=notrunc status=none ;;
    esac
    run 1 "$work/glyphs" DISPLAY=":$display" --
    one_line_saying "damaged game data: $glyphs is damaged"
done

# One game per game folder. The first plays (SDL's display-less video) on a
# saved game; a second there writes nothing and says why.
held() { ! flock -n "$1" true; }
game_folder="$work/game"
mkdir -p "$game_folder/savedat"
ln -s "$build/data" "$game_folder/data"
for name in data.txt:3120 edit.txt:620 rist.txt:3480 grafu.txt:3720 grafu2.txt:4932 rank.txt:1072; do
    head -c "${name#*:}" /dev/urandom > "$game_folder/savedat/${name%%:*}"
done
listing() { (cd "$game_folder" && find . -newer "$work/mark" -o -path ./savedat -prune -o -print; find savedat -type f -exec sha256sum {} + | sort); }
(cd "$game_folder" && exec env -u DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$game" > /dev/null 2>&1) &
first_pid=$!
for _ in $(seq 50); do held "$game_folder" && break; sleep 0.1; done
held "$game_folder" || fail "the first copy does not hold its folder"
touch "$work/mark"
before=$(listing)
run 1 "$game_folder" -- --stats="$game_folder/stats.txt"
one_line_saying "another copy of the game is running with the saves in $game_folder/savedat"
[ -e "$game_folder/stats.txt" ] && fail "the second copy wrote its statistics file"
(cd "$game_folder" && script -qec "env -u DISPLAY '$game'" /dev/null) > "$work/err" 2>&1
code=$?
[ "$code" -eq 1 ] || fail "the second copy in a terminal: exit $code"
one_line_saying "another copy of the game is running"
if start_xvfb 800x600; then
    (cd "$game_folder" && exec "$game" 2> /dev/null) &
    second_pid=$!
    box=""
    for _ in $(seq 50); do
        box=$(xdotool search --name '^Kabusim$' 2> /dev/null | head -n 1)
        [ -n "$box" ] && break
        sleep 0.1
    done
    if [ -n "$box" ]; then
        sleep 0.3
        mkdir -p "$build/screens"
        import -window root "$build/screens/linux_second_copy.png" 2> /dev/null
        xdotool windowfocus --sync "$box" key Return 2> /dev/null
    else
        fail "no box for a second copy started without a terminal"
    fi
    for _ in $(seq 30); do kill -0 "$second_pid" 2> /dev/null || break; sleep 0.1; done
    if kill -0 "$second_pid" 2> /dev/null; then
        for helper in $(ps -o pid= --ppid "$second_pid"); do kill "$helper"; done
        kill -9 "$second_pid"
    fi
    wait "$second_pid"
    code=$?
    [ "$code" -eq 1 ] || fail "the second copy with its box: exit $code"
else
    fail "Xvfb did not start"
fi
[ "$(listing)" = "$before" ] || fail "the second copies changed the first's folder: $(listing)"
kill -9 "$first_pid"
wait "$first_pid" 2> /dev/null
first_pid=""
(cd "$game_folder" && exec env -u DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$game" > /dev/null 2> "$work/err") &
first_pid=$!
for _ in $(seq 20); do held "$game_folder" && break; sleep 0.1; done
held "$game_folder" && kill -0 "$first_pid" 2> /dev/null || fail "no start after the first was killed: $(cat "$work/err")"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "program exits: ok"
