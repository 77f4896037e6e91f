// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/shared/frame_ticks.h"

#include "core/frame_stats.h"

namespace {
constexpr uint64_t TICKS_PER_SECOND = 60;
constexpr uint64_t SLACK = 4 * 1000000 / TICKS_PER_SECOND;
}  // namespace

uint64_t countsToMicros(uint64_t counts, uint64_t frequency) {
    if (frequency == 0) return 0;
    return counts / frequency * 1000000 + counts % frequency * 1000000 / frequency;
}

void startFrameTicks(FrameTicks& ticks, uint64_t nowMicros) {
    ticks.base = nowMicros;
    ticks.count = 0;
}

uint64_t frameTickDue(const FrameTicks& ticks) { return ticks.base + ticks.count * 1000000 / TICKS_PER_SECOND; }

uint64_t nextFrameTick(FrameTicks& ticks, uint64_t nowMicros) {
    ++ticks.count;
    const uint64_t due = frameTickDue(ticks);
    if (nowMicros > due + SLACK || nowMicros + SLACK < due) {
        startFrameTicks(ticks, nowMicros);
        return nowMicros;
    }
    return due;
}

void pacedPresent(FrameTicks& ticks, const PacedDisplay& display, const uint8_t* pixels, int pitch,
                  const PaletteEntry* palette) {
    const uint64_t showStart = display.micros();
    display.show(pixels, pitch, palette);
    const uint64_t now = display.micros();
    frameStatsPresent(showStart, now);
    const uint64_t due = nextFrameTick(ticks, now);
    if (now + 1000 < due) display.sleepMicros(due - now);
}
