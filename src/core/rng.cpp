// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/rng.h"

RngState rng;

void seedRandom(uint32_t seed) { rng.randomState = seed; }

int32_t nextRandom() {
    rng.randomState = rng.randomState * 214013u + 2531011u;
    return static_cast<int32_t>((rng.randomState >> 16) & 0x7FFF);
}
