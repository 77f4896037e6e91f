// SPDX-License-Identifier: GPL-2.0-or-later
// Clock arithmetic the backends share: a high-resolution counter read as
// microseconds, and the 1/60 s ticks a present waits for, as a display's
// retrace paces it.
#pragma once
#include <cstdint>

#include "core/devices.h"

// `counts` of a counter that runs at `frequency` counts a second, in µs.
uint64_t countsToMicros(uint64_t counts, uint64_t frequency);

struct FrameTicks {
    uint64_t base = 0;   // µs of tick 0
    uint64_t count = 0;  // ticks since then
};
// Ticks from `nowMicros` on.
void startFrameTicks(FrameTicks& ticks, uint64_t nowMicros);
// When the tick after a frame shown at `nowMicros` is due (µs). A clock more
// than four ticks off (a stall, a wait elsewhere) starts the ticks there.
uint64_t nextFrameTick(FrameTicks& ticks, uint64_t nowMicros);
// When the next tick is due, without moving on.
uint64_t frameTickDue(const FrameTicks& ticks);

// What a desktop present needs of its backend.
struct PacedDisplay {
    uint64_t (*micros)();
    void (*show)(const uint8_t* pixels, int pitch, const PaletteEntry* palette);
    void (*sleepMicros)(uint64_t micros);
};
// Shows the frame, records what it cost in the frame statistics, then
// sleeps to the next 1/60 s tick like a display's retrace.
void pacedPresent(FrameTicks& ticks, const PacedDisplay& display, const uint8_t* pixels, int pitch,
                  const PaletteEntry* palette);
