// SPDX-License-Identifier: GPL-2.0-or-later
// Checks on values read from files: texts end inside their fields, numbers
// used as indexes stay in range.
#pragma once
#include <cstddef>
#include <cstdint>

// Forces a text field read from a file to end inside its width: a NUL at the
// last byte when the field holds none. The bytes after a NUL are kept.
void forceTextEnd(char* text, size_t width);
// Brings a value into lowest..highest.
int32_t clampToRange(int32_t value, int32_t lowest, int32_t highest);
