#!/usr/bin/env bash
# Measures the real game in a window under Xvfb: main-loop turns per second on
# the market screen (so the seconds a game day of 3,000,000 turns lasts), and
# the peak memory of the whole run. Usage: bench/measure_real_window.sh [build]
set -uo pipefail
build_dir=$(cd "${1:-build}" && pwd)
export DISPLAY=:93
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
xvfb_pid=$!
work=$(mktemp -d /tmp/kabumeasure-XXXXXX)
trap 'kill "$xvfb_pid" 2> /dev/null; rm -rf "$work"' EXIT
sleep 1
ln -s "$build_dir/data" "$work/data"
cd "$work" || exit 1

click() {
    xdotool mousemove $(($1 * 2 + 1)) $(($2 * 2 + 33)); sleep 0.15
    xdotool mousedown 1; sleep 0.15; xdotool mouseup 1; sleep 0.25
}
SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} /usr/bin/time -f "%M" -o "$work/peak_kb" "$build_dir/kabusim" &
timer=$!
sleep 2
game=$(pgrep -n -f "$build_dir/kabusim")
xdotool mousemove 640 512 keydown Return; sleep 0.25; xdotool keyup Return; sleep 1.5
click 380 300; sleep 0.6; click 400 270; sleep 0.8
xdotool keydown Return; sleep 0.25; xdotool keyup Return; sleep 3

# Turns counted from frameCounter and the calendar day, read from the running game.
sample() {
    gdb -p "$game" -batch -ex 'print frameCounter' -ex 'print Calendar.day' -ex 'print Calendar.month' 2> /dev/null \
        | grep '^\$' | awk '{print $3}' | tr '\n' ' '
}
read -r fc0 day0 month0 <<< "$(sample)"
t0=$(date +%s%N)
sleep 10
read -r fc1 day1 month1 <<< "$(sample)"
t1=$(date +%s%N)
days=$(( (month1 - month0) * 31 + day1 - day0 ))  # the run stays in January
turns=$(( days * 3000000 + fc1 - fc0 ))
elapsed_ms=$(( (t1 - t0) / 1000000 ))
rate=$(( turns * 1000 / elapsed_ms ))
echo "market: $turns turns in $elapsed_ms ms = $rate turns/s; a game day of 3,000,000 turns = $(python3 -c "print(round(3000000/$rate, 1))") s"
# Plus a look at the other screens for the peak: buy, back, graph, back.
click 583 68; sleep 1; click 403 448; sleep 2; click 583 268; sleep 1
xdotool keydown Escape; sleep 0.2; xdotool keyup Escape
wait "$timer"
echo "peak memory (maximum resident set): $(cat "$work/peak_kb") KB"
