#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Plays the real game in a window on its own Xvfb display and measures what a
# player meets: the length of a game day, the processor time on the market,
# the peak memory, the cost of a market frame and the longest gap between two
# frames shown around each scene change.
#
# Usage: bench/measure_pace.sh [--busy] [build-folder]
#   --busy   runs one busy process (yes > /dev/null) beside the game
# MARKET_SECONDS (default 30) sets how long the market is watched.
set -uo pipefail
busy=0
if [ "${1:-}" = "--busy" ]; then busy=1; shift; fi
build_dir=$(cd "${1:-build}" && pwd) || exit 1
market_seconds=${MARKET_SECONDS:-30}
[ -x "$build_dir/kabusim" ] || { echo "no game at $build_dir/kabusim: build it first" >&2; exit 1; }

source "$(dirname "$0")/../scripts/start_xvfb.sh"
source "$(dirname "$0")/../scripts/window_input.sh"
work=$(mktemp -d /tmp/kabupace-XXXXXX)
xvfb_pid=""
game_pid=""
busy_pid=""
cleanup() {
    for pid in $game_pid $busy_pid $xvfb_pid; do kill "$pid" 2> /dev/null; done
    wait 2> /dev/null
    if [ -n "${KEEP_STATS:-}" ]; then cp "$work/stats.txt" "$KEEP_STATS"; fi
    rm -rf "$work"
}
trap cleanup EXIT

start_xvfb 1280x1024 || { echo "Xvfb did not start" >&2; exit 1; }
sleep 0.5  # the server settles before the game starts
if [ "$busy" = 1 ]; then
    yes > /dev/null &
    busy_pid=$!
fi

cd "$work" || exit 1
ln -s "$build_dir/data" data
SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} "$build_dir/kabusim" --stats=stats.txt &
game_pid=$!

cpu_ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }

sleep 2
key Return                            # skip the opening
sleep 1.5
click 300 300; sleep 0.5; click 300 270  # start, new game
sleep 1.5
key Return                            # no name, one year: the market
sleep 3

ticks0=$(cpu_ticks)
t0=$(date +%s%N)
sleep "$market_seconds"
ticks1=$(cpu_ticks)
t1=$(date +%s%N)
click 583 68; sleep 1.5; click 263 448; click 403 448; sleep 2  # buy, decide nothing, back
peak_kb=$(awk '/^VmHWM/ {print $2}' "/proc/$game_pid/status")
key Escape
for _ in $(seq 50); do kill -0 "$game_pid" 2> /dev/null || break; sleep 0.1; done
wait "$game_pid"
game_pid=""

hz=$(getconf CLK_TCK)
echo "== kabusim pace on $(nproc) cores$([ "$busy" = 1 ] && echo ', one busy process beside it')"
awk -v ticks=$((ticks1 - ticks0)) -v hz="$hz" -v ns=$((t1 - t0)) \
    'BEGIN { printf "CPU on the market: %.1f%% of one core\n", 100 * ticks / hz / (ns / 1e9) }'
echo "peak memory: $((peak_kb / 1024)) MB"
awk '
function median(values, n,    i, j, t) {
    for (i = 2; i <= n; i++) { t = values[i]; for (j = i - 1; j >= 1 && values[j] > t; j--) values[j + 1] = values[j]; values[j + 1] = t }
    return n % 2 ? values[(n + 1) / 2] : (values[n / 2] + values[n / 2 + 1]) / 2
}
BEGIN {
    name["13>1"] = "opening to title"; name["1>2"] = "title to name entry"; name["2>3"] = "name entry to market"
    name["3>4"] = "market to buy"; name["4>3"] = "buy to market"
}
{
    t = $1; scene = $2; date = $3
    if (NR == 1) printf "start-up to the first frame: %.0f ms\n", t / 1000
    if (NR > 1 && scene != lastScene) { change = lastScene ">" scene; watch = 6; worst[change] = 0; order[++changes] = change }
    if (watch > 0) { gap = t - lastT; if (gap > worst[change]) worst[change] = gap; watch-- }
    if (scene == 3) {
        builds[++marketFrames] = $4; shows[marketFrames] = $5
        if ($4 > maxBuild) maxBuild = $4
        if ($5 > maxShow) maxShow = $5
        if (lastScene == 3 && date != lastDate) { if (dayStart) days[++dayCount] = t - dayStart; dayStart = t }
    } else dayStart = 0
    lastT = t; lastScene = scene; lastDate = date
}
END {
    if (dayCount > 0) {
        sum = 0; for (i = 1; i <= dayCount; i++) sum += days[i]
        printf "game day: %.3f s (mean of %d whole days; median %.3f s)\n", sum / dayCount / 1e6, dayCount, median(days, dayCount) / 1e6
    } else print "game day: no whole day seen"
    printf "market frames: %d; drawing median %.2f ms, longest %.2f ms; showing median %.2f ms, longest %.2f ms\n", marketFrames, median(builds, marketFrames) / 1000, maxBuild / 1000, median(shows, marketFrames) / 1000, maxShow / 1000
    for (i = 1; i <= changes; i++) {
        c = order[i]; label = (c in name) ? name[c] : "scene " c
        printf "longest gap between frames at %s: %.1f ms\n", label, worst[c] / 1000
    }
}' "$work/stats.txt"
