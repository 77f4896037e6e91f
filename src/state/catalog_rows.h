// SPDX-License-Identifier: GPL-2.0-or-later
// The catalogue's listed flags: which rows are on the market.
#pragma once
#include <cstddef>
#include <cstdint>

// Rows a draw can pick: 0 to 91 (the last catalogue row is never drawn).
constexpr int DRAWN_ROWS = 92;

// Sets every row's `listed` to 0.
void clearListedFlags();
// Marks the rows named by CatalogIndex for the thirty slots as listed; other
// flags keep their values.
void markListedRows();
// Makes sure a draw of `wanted` rows can end: when fewer drawn rows are free,
// every row that is not on the board now (not in CatalogIndex) is freed.
void freeRowsForDraw(int32_t wanted);
// Copies a catalogue name into a name field with its terminator; the bytes
// after the terminator keep their values.
void copyCatalogName(char* to, size_t width, int32_t row);
// The first row with `listed` 0 from `row` on, wrapping within the drawn rows
// 0 to 91; -1 when every one of them is listed. A draw that keeps hitting
// listed rows can fall back on it so that it always ends.
int32_t firstFreeCatalogRow(int32_t row);
// Number of drawn rows (0 to 91) with `listed` 0.
int32_t freeCatalogRows();
