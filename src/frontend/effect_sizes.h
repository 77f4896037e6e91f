// SPDX-License-Identifier: GPL-2.0-or-later
// Size rules shared by the pixel effects (the game over's tiles and the staff
// roll's scatter).
#pragma once
#include <cstdint>

// A size that cuts `length` into whole pieces: the request, else 1.
inline int32_t wholePieceSize(int32_t requested, int32_t length) {
    if (requested > 0 && length % requested == 0) return requested;
    return 1;
}

inline int32_t clampInt(int32_t value, int32_t low, int32_t high) {
    return value < low ? low : (value > high ? high : value);
}
