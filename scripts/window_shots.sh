#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Screenshots of the real game in a full-screen window under Xvfb, for the
# README: the name entry with a typed name and the market right after it.
# Usage: scripts/window_shots.sh [BUILD_DIR] [WIDTHxHEIGHT] [game options]
# writes docs/window/name_entry_WIDTHxHEIGHT.png and market_WIDTHxHEIGHT.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
size=${2:-1920x1080}
shift $(($# < 2 ? $# : 2))
width=${size%x*}
height=${size#*x}
out=$(pwd)/docs/window
mkdir -p "$out"

source scripts/start_xvfb.sh
xvfb_pid=""
work=$(mktemp -d /tmp/kabushots-XXXXXX)
trap 'kill $xvfb_pid 2> /dev/null; rm -rf "$work"' EXIT
start_xvfb "$size" || { echo "Xvfb did not start" >&2; exit 1; }
ln -s "$build/data" "$work/data"

# Where a picture pixel's centre lies on the screen: the picture fills the
# largest 4:3 rectangle, centred.
view_height=$height
view_width=$((height * 640 / 480))
if [ "$view_width" -gt "$width" ]; then view_width=$width; view_height=$((width * 480 / 640)); fi
left=$(((width - view_width) / 2))
top=$(((height - view_height) / 2))
at() { echo $((left + ($1 * view_width + view_width / 2) / 640)) $((top + ($2 * view_height + view_height / 2) / 480)); }
click() {
    # shellcheck disable=SC2046
    xdotool mousemove $(at "$1" "$2")
    sleep 0.15
    xdotool mousedown 1
    sleep 0.15
    xdotool mouseup 1
    sleep 0.25
}
hold() {
    xdotool keydown "$1"
    sleep 0.25
    xdotool keyup "$1"
}

(cd "$work" && SDL_AUDIODRIVER=dummy "$build/kabusim" "$@") &
game=$!
sleep 1.5
# shellcheck disable=SC2046
xdotool mousemove $(at 320 240)
hold Return
sleep 1.5
click 380 300
sleep 0.6
click 400 270
sleep 0.8
click 57 168
click 57 112
click 124 112
click 57 228
# shellcheck disable=SC2046
xdotool mousemove $(at 600 20)
sleep 0.4
import -window root "$out/name_entry_$size.png"
hold Return
sleep 3.5
# shellcheck disable=SC2046
xdotool mousemove $(at 300 120)
sleep 0.4
import -window root "$out/market_$size.png"
hold Escape
wait "$game"
ls "$out"
