// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/shared/frame_ticks.h"

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
