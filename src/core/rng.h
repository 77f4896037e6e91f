// SPDX-License-Identifier: GPL-2.0-or-later
// The game's one random generator: a 32-bit linear congruential generator.
#pragma once
#include <cstdint>

struct RngState {
    uint32_t randomState = 1;

    bool operator==(const RngState&) const = default;
};
extern RngState rng;

void seedRandom(uint32_t seed);
// Next value, 0 to 32767.
int32_t nextRandom();
