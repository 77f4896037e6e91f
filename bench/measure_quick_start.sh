#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Seconds from ./run.sh to the game's window, as a newcomer meets them: in a
# fresh clone of this repository (committed state of the current branch, the
# Debian packages already installed), then a second ./run.sh with nothing
# changed. Runs under Xvfb and removes what it creates.
# Usage: bench/measure_quick_start.sh [RUNS_OF_THE_SECOND_START]
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
work=$(mktemp -d /tmp/kabuquick-XXXXXX)
source "$repo/scripts/start_xvfb.sh"
xvfb_pid=""
trap 'kill $xvfb_pid 2> /dev/null; wait $xvfb_pid 2> /dev/null; rm -rf "$work"' EXIT
start_xvfb 1280x1024 || { echo "Xvfb did not start" >&2; exit 1; }
git clone -q --branch "$(git -C "$repo" rev-parse --abbrev-ref HEAD)" "$repo" "$work/clone"

# Starts ./run.sh, prints the seconds until its window is mapped, ends the
# game. The window is seen through X events (xev), not by polling, so the
# watching takes no processor time from the build.
time_to_window() {
    local start game elapsed line mapped=""
    rm -f "$work/events"
    mkfifo "$work/events"
    stdbuf -oL xev -root -event substructure > "$work/events" &
    local watcher=$!
    exec 3< "$work/events"
    start=$(date +%s%N)
    (cd "$work/clone" && SDL_AUDIODRIVER=dummy ./run.sh > "$work/run.log" 2>&1) &
    game=$!
    while IFS= read -r -t 600 line <&3; do
        case $line in MapNotify*) mapped=yes && break ;; esac
    done
    elapsed=$(($(date +%s%N) - start))
    exec 3<&-
    kill "$watcher" 2> /dev/null
    wait "$watcher" 2> /dev/null
    [ -n "$mapped" ] || { echo "no window: $(tail -n 5 "$work/run.log")" >&2; return 1; }
    sleep 0.5
    xdotool keydown Escape
    sleep 0.2
    xdotool keyup Escape
    wait "$game"
    printf '%d.%02d\n' $((elapsed / 1000000000)) $((elapsed / 10000000 % 100))
}

echo "load before: $(cut -d ' ' -f 1-3 /proc/loadavg)"
echo "fresh clone: $(time_to_window) s to the window"
for _ in $(seq "$runs"); do time_to_window; done | sort -n | awk '{ a[NR] = $1 } END {
    printf "second start, nothing changed: median %s s of %d (min %s, max %s)\n", a[int((NR + 1) / 2)], NR, a[1], a[NR] }'
echo "load after: $(cut -d ' ' -f 1-3 /proc/loadavg)"
