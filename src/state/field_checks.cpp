// SPDX-License-Identifier: GPL-2.0-or-later
#include "state/field_checks.h"

#include <cstring>

void forceTextEnd(char* text, size_t width) {
    if (width == 0) return;
    if (std::memchr(text, '\0', width) == nullptr) text[width - 1] = '\0';
}

int32_t clampToRange(int32_t value, int32_t lowest, int32_t highest) {
    if (value < lowest) return lowest;
    if (value > highest) return highest;
    return value;
}
