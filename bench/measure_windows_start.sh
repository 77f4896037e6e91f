#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The Windows game under Wine with a warm prefix, full screen on a 1280 x
# 1024 Xvfb screen. Its start: from `wine kabusim.exe` to its first frame on
# screen (the first line of --stats, which the game writes at once); one
# start warms the prefix, RUNS more (default 9) are timed and their median
# printed, with what the game itself measured (from the start of main to
# the first frame shown). Then one game into the market, watched for
# MARKET_SECONDS (default 21): the length of a game day and the processor
# time of the game's process.
#
# Usage: bench/measure_windows_start.sh [windows-build-folder]
set -uo pipefail
build=$(cd "${1:-build-windows}" && pwd) || exit 1
runs=${RUNS:-9}
market_seconds=${MARKET_SECONDS:-21}
[ -f "$build/package/kabusim/kabusim.exe" ] || { echo "no $build/package/kabusim: run scripts/build_windows.sh" >&2; exit 1; }

work=$(mktemp -d /tmp/kabuwinstart-XXXXXX)
source "$(dirname "$0")/../tests/windows/wine_session.sh"
source "$(dirname "$0")/../scripts/window_input.sh"
start_wine_session 1280x1024 || exit 1
cp -r "$build/package/kabusim" "$work/game"

# One start: prints the milliseconds to the first frame and the game's own.
start_once() {
    rm -f "$work/stats.txt"
    local begin now line window
    begin=$(date +%s%N)
    (cd "$work/game" && exec wine kabusim.exe --stats=stats.txt > /dev/null 2>&1) &
    game_pid=$!
    for _ in $(seq 5000); do
        [ -s "$work/game/stats.txt" ] && break
        sleep 0.002
    done
    now=$(date +%s%N)
    read -r line < "$work/game/stats.txt"
    window=$(xdotool search --name '^Direct X$' 2> /dev/null | head -n1)
    # No window manager gives the window the keyboard.
    xdotool windowfocus "$window" 2> /dev/null
    xdotool key Escape
    wait "$game_pid"
    game_pid=""
    rm -f "$work/game/stats.txt"
    echo "$(((now - begin) / 1000000)) $((${line%% *} / 1000))"
}
start_once > /dev/null
for _ in $(seq "$runs"); do start_once; done > "$work/times.txt"
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "start under Wine to the first frame: median $(cut -d' ' -f1 < "$work/times.txt" | median) ms of $runs starts" \
    "($(cut -d' ' -f1 < "$work/times.txt" | sort -n | head -n1) to $(cut -d' ' -f1 < "$work/times.txt" | sort -n | tail -n1) ms)"
echo "of which the game itself, from the start of main to the first frame shown: median" \
    "$(cut -d' ' -f2 < "$work/times.txt" | median) ms"

# Into the market: Enter skips the opening, start, a new game, Enter.
(cd "$work/game" && exec wine kabusim.exe --stats=stats.txt > /dev/null 2>&1) &
game_pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --name '^Direct X$' 2> /dev/null | head -n1)
    [ -n "$window" ] && break
    sleep 0.1
done
xdotool windowfocus "$window" 2> /dev/null
sleep 1
xdotool mousemove 641 513 keydown Return sleep 0.25 keyup Return
sleep 1.5
click 380 300
click 400 270
xdotool keydown Return sleep 0.25 keyup Return
sleep 3
unix_pid=$(pgrep -n -f 'kabusim.exe --stats')
cpu_ticks() { awk '{print $14 + $15}' "/proc/$unix_pid/stat"; }
ticks_before=$(cpu_ticks)
sleep "$market_seconds"
ticks=$(($(cpu_ticks) - ticks_before))
xdotool windowfocus "$window" 2> /dev/null
xdotool key Escape
wait "$game_pid"
game_pid=""
awk '$3 != date { if (date != "") { n++; if (n > 1) { days++; total += $1 - since } since = $1 } date = $3 }
     END { if (days > 0) printf "game day in the market: %.3f s (%d days)\n", total / days / 1000000, days }' \
    "$work/game/stats.txt"
awk -v ticks="$ticks" -v hz="$(getconf CLK_TCK)" -v seconds="$market_seconds" \
    'BEGIN { printf "processor time of the game in the market: %.1f%% of one core\n", ticks * 100 / hz / seconds }'
