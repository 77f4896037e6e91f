#!/usr/bin/env bash
# Runs the real game under Xvfb on a screen larger than 640 x 480, checks that
# its window appears, and that Escape ends it with exit code 0 within two
# seconds.
set -uo pipefail
build_dir=$(cd "${1:-build}" && pwd)
display_number=97
while [ -e "/tmp/.X11-unix/X$display_number" ] || [ -e "/tmp/.X$display_number-lock" ]; do
    display_number=$((display_number + 1))
done
export DISPLAY=":$display_number"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
xvfb_pid=$!
cleanup() { kill "$xvfb_pid" 2> /dev/null; wait "$xvfb_pid" 2> /dev/null; }
trap cleanup EXIT
for _ in $(seq 50); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.1; done

fail() { echo "real window: FAILED: $*"; exit 1; }

cd "$build_dir"
ASAN_OPTIONS=detect_leaks=0 SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} ./kabusim &
game_pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --name "^Direct X$" 2> /dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { kill "$game_pid"; fail "no window appeared"; }
sleep 1
kill -0 "$game_pid" 2> /dev/null || fail "the game ended on its own"

xdotool windowactivate --sync "$window" > /dev/null 2>&1 || xdotool windowfocus "$window" > /dev/null 2>&1
xdotool key Escape
start=$(date +%s%N)
for _ in $(seq 20); do
    kill -0 "$game_pid" 2> /dev/null || break
    sleep 0.1
done
if kill -0 "$game_pid" 2> /dev/null; then
    kill -9 "$game_pid"
    fail "still running two seconds after Escape"
fi
wait "$game_pid"
code=$?
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$code" -eq 0 ] || fail "exit code $code"
echo "real window: 1 passed, 0 failed (window shown, Escape ended it in ${elapsed} ms with code 0)"
