// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/trig.h"

#include <cmath>

TrigTables trig;

void buildTrigTables() {
    for (int i = 0; i < 360; ++i) {
        const double radians = i * 3.141592 / 180.0;
        trig.sinTable[i] = static_cast<int32_t>(std::sin(radians) * 1024.0);
        trig.cosTable[i] = static_cast<int32_t>(std::cos(radians) * 1024.0);
    }
}
