// SPDX-License-Identifier: GPL-2.0-or-later
// The catalogue's listed flags.
#include "state/catalog_rows.h"

#include <cstring>

#include "state/records.h"

void clearListedFlags() {
    for (int row = 0; row < CATALOG_ROWS; ++row) CompanyCatalog[row].listed = 0;
}

void markListedRows() {
    for (int slot = 0; slot < SLOTS; ++slot) {
        int32_t row = CatalogIndex[slot];
        if (row >= 0 && row < CATALOG_ROWS) CompanyCatalog[row].listed = 1;
    }
}

void freeRowsForDraw(int32_t wanted) {
    if (freeCatalogRows() >= wanted) return;
    bool onBoard[CATALOG_ROWS] = {};
    for (int slot = 0; slot < SLOTS; ++slot) {
        const int32_t row = CatalogIndex[slot];
        if (row >= 0 && row < CATALOG_ROWS) onBoard[row] = true;
    }
    for (int row = 0; row < CATALOG_ROWS; ++row) {
        if (!onBoard[row]) CompanyCatalog[row].listed = 0;
    }
}

void copyCatalogName(char* to, size_t width, int32_t row) {
    const char* from = CompanyCatalog[row].name;
    const size_t length = strnlen(from, width - 1);
    std::memcpy(to, from, length);
    to[length] = '\0';
}

int32_t firstFreeCatalogRow(int32_t row) {
    int32_t start = row % DRAWN_ROWS;
    if (start < 0) start += DRAWN_ROWS;
    for (int32_t step = 0; step < DRAWN_ROWS; ++step) {
        int32_t candidate = (start + step) % DRAWN_ROWS;
        if (CompanyCatalog[candidate].listed == 0) return candidate;
    }
    return -1;
}

int32_t freeCatalogRows() {
    int32_t count = 0;
    for (int row = 0; row < DRAWN_ROWS; ++row) {
        if (CompanyCatalog[row].listed == 0) ++count;
    }
    return count;
}
