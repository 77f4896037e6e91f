// The catalogue's listed flags: which rows are on the market.
#pragma once
#include <cstdint>

// Rows a draw can pick: 0 to 91 (the last catalogue row is never drawn).
constexpr int DRAWN_ROWS = 92;

// Sets every row's `listed` to 0.
void clearListedFlags();
// Clears every flag, then marks the rows named by CatalogIndex for the thirty
// slots, so that exactly those rows are listed.
void markListedRows();
// The first row with `listed` 0 from `row` on, wrapping within the drawn rows
// 0 to 91; -1 when every one of them is listed. A draw that keeps hitting
// listed rows can fall back on it so that it always ends.
int32_t firstFreeCatalogRow(int32_t row);
// Number of drawn rows (0 to 91) with `listed` 0.
int32_t freeCatalogRows();
