// SPDX-License-Identifier: GPL-2.0-or-later
// Sine and cosine of whole degrees times 1024, truncated toward zero.
#pragma once
#include <cstdint>

// Zero until built at start-up.
struct TrigTables {
    int32_t sinTable[360] = {};
    int32_t cosTable[360] = {};

    bool operator==(const TrigTables&) const = default;
};
extern TrigTables trig;

// Builds both tables with pi taken as 3.141592.
void buildTrigTables();
