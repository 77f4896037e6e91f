#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Records the real game's music through SDL's disk audio driver while it plays
# on its own Xvfb display: the opening and title, a new game, then the market
# until its music has passed its loop point once. Prints the longest silence
# at that loop point, over the market and over the whole recording.
#
# Usage: bench/measure_music_loop.sh [build-folder]
# The disk driver writes raw signed 16-bit stereo at 44.1 kHz and waits
# SDL_DISKAUDIODELAY ms (default: one buffer's worth, 23 ms) after each
# buffer; the game leaves it at that, so the recording runs near real time.
# The script therefore waits on the recording's length, not on the clock.
# SILENCE_LEVEL (default 32) is the largest sample value counted as silence.
set -uo pipefail
build_dir=$(cd "${1:-build}" && pwd) || exit 1
[ -x "$build_dir/kabusim" ] || { echo "no game at $build_dir/kabusim: build it first" >&2; exit 1; }
[ -f "$build_dir/data/main.mid" ] || { echo "no $build_dir/data/main.mid: build the data first" >&2; exit 1; }

source "$(dirname "$0")/../scripts/start_xvfb.sh"
source "$(dirname "$0")/../scripts/window_input.sh"
work=$(mktemp -d /tmp/kabumusic-XXXXXX)
xvfb_pid=""
game_pid=""
cleanup() {
    for pid in $game_pid $xvfb_pid; do kill "$pid" 2> /dev/null; done
    wait 2> /dev/null
    rm -rf "$work"
}
trap cleanup EXIT

start_xvfb 1280x1024 || { echo "Xvfb did not start" >&2; exit 1; }
sleep 0.5

cd "$work" || exit 1
ln -s "$build_dir/data" data
recording="$work/music.raw"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$recording" "$build_dir/kabusim" &
game_pid=$!

bytes() { stat -c %s "$recording" 2> /dev/null || echo 0; }

sleep 2
key Return                               # skip the opening
sleep 1.5
click 300 300; sleep 0.5; click 300 270  # start, new game
sleep 1.5
market_wall=$(date +%s%N)
key Return                               # no name, one year: the market
market_bytes=$(bytes)

# The market piece's length, then the recording is watched until it holds
# ten seconds more than that past the market's start.
piece_seconds=$(python3 - "$build_dir/data/main.mid" << 'EOF'
import struct, sys
data = open(sys.argv[1], "rb").read()
division = struct.unpack(">H", data[12:14])[0]
tempos, ends, pos = [], [], 14
while pos + 8 <= len(data):
    kind, size = data[pos:pos + 4], struct.unpack(">I", data[pos + 4:pos + 8])[0]
    body, pos = data[pos + 8:pos + 8 + size], pos + 8 + size
    if kind != b"MTrk":
        continue
    i = tick = status = 0
    while i < len(body):
        delta = 0
        while True:
            delta = (delta << 7) | (body[i] & 0x7F); i += 1
            if body[i - 1] < 0x80: break
        tick += delta
        event = status
        if body[i] >= 0x80:
            event = body[i]; i += 1
            if event < 0xF0: status = event
        if event >= 0xF0:
            meta = body[i] if event == 0xFF else None
            if meta is not None: i += 1
            length = 0
            while True:
                length = (length << 7) | (body[i] & 0x7F); i += 1
                if body[i - 1] < 0x80: break
            if meta == 0x51: tempos.append((tick, int.from_bytes(body[i:i + 3], "big")))
            i += length
            if meta == 0x2F: ends.append(tick); break
        else:
            i += 1 if event & 0xE0 == 0xC0 else 2
end, seconds, last_tick, tempo = max(ends), 0.0, 0, 500000
for tick, value in sorted(tempos, key=lambda t: t[0]) + [(max(ends), 0)]:
    seconds += (min(tick, end) - last_tick) * tempo / division / 1e6
    last_tick, tempo = min(tick, end), value
print(f"{seconds:.6f}")
EOF
)
need=$(python3 -c "print($market_bytes + int(($piece_seconds + 10) * 44100) * 4)")
for _ in $(seq 300); do
    [ "$(bytes)" -ge "$need" ] && break
    kill -0 "$game_pid" 2> /dev/null || break
    sleep 0.5
done
end_wall=$(date +%s%N)
end_bytes=$(bytes)
key Escape
for _ in $(seq 50); do kill -0 "$game_pid" 2> /dev/null || break; sleep 0.1; done
wait "$game_pid"
game_pid=""

echo "== music loop through the disk audio driver"
python3 - "$recording" "$market_bytes" "$piece_seconds" "$(((end_wall - market_wall) / 1000000))" \
    "$end_bytes" "${SILENCE_LEVEL:-32}" << 'EOF'
import array, sys
path, market_bytes, piece, wall_ms, end_bytes, level = sys.argv[1:]
market, piece, wall_ms, end_bytes, level = int(market_bytes) // 4, float(piece), int(wall_ms), int(end_bytes), int(level)
samples = array.array("h")
with open(path, "rb") as f:
    samples.frombytes(f.read())
if sys.byteorder == "big":
    samples.byteswap()
frames = len(samples) // 2
rate = 44100

def longest_silence(first, last):
    """The longest run of frames in [first, last) whose samples all stay within the level."""
    best = best_at = run = 0
    for n in range(max(first, 0), min(last, frames)):
        left, right = samples[2 * n], samples[2 * n + 1]
        if -level <= left <= level and -level <= right <= level:
            run += 1
            if run > best:
                best, best_at = run, n - run + 1
        else:
            run = 0
    return best, best_at

def show(label, first, last):
    length, at = longest_silence(first, last)
    where = f" from {(at - market) / rate:+.3f} s of the market's start" if length else ""
    print(f"{label}: {length / rate * 1000:.1f} ms{where}")

loop = market + int(piece * rate)
print(f"recording: {frames / rate:.1f} s; market music from {market / rate:.1f} s, loop point due "
      f"{piece:.3f} s later")
recorded = (end_bytes // 4 - market) / rate
print(f"audio recorded while the market ran: {recorded:.1f} s in {wall_ms / 1000:.1f} s of wall time")
if frames < loop + 8 * rate:
    print("the recording stops before the loop point: nothing to measure")
    sys.exit(1)
show("longest silence at the loop point (-2 s .. +8 s)", loop - 2 * rate, loop + 8 * rate)
show("longest silence on the market (after its first second)", market + rate, frames)
show("longest silence in the whole recording", 0, frames)
EOF
