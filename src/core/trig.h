// SPDX-License-Identifier: GPL-2.0-or-later
// Sine and cosine of whole degrees times 1024, truncated toward zero.
#pragma once
#include <cstdint>

extern int32_t sinTable[360];
extern int32_t cosTable[360];

// Builds both tables with pi taken as 3.141592.
void buildTrigTables();
