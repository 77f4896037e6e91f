// SPDX-License-Identifier: GPL-2.0-or-later
// Sums of game numbers that a saved file can put anywhere in 32 bits, worked
// out wide and held at the nearest limit instead of overflowing. Every result
// inside the limits is the plain sum.
#pragma once
#include <cstdint>

constexpr int32_t clampToInt32(int64_t value) {
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

// value + change, held to the 32-bit range.
constexpr int32_t addClamped(int32_t value, int64_t change) {
    int64_t sum = 0;
    if (__builtin_add_overflow(static_cast<int64_t>(value), change, &sum)) {
        return change > 0 ? INT32_MAX : INT32_MIN;
    }
    return clampToInt32(sum);
}

// A 64-bit sum held to the 64-bit range.
constexpr int64_t addClamped64(int64_t value, int64_t change) {
    int64_t sum = 0;
    if (__builtin_add_overflow(value, change, &sum)) return change > 0 ? INT64_MAX : INT64_MIN;
    return sum;
}
