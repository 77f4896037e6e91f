// SPDX-License-Identifier: GPL-2.0-or-later
// The set-up of a new game: catalogue prices and the thirty listed companies.
#include <cstring>

#include "core/rng.h"
#include "state/catalog_rows.h"
#include "state/records.h"
#include "state/save_files.h"

namespace {

// Draws after which a run of taken rows gives way to the next free row. With
// at least thirty rows free before the draw, the game's own draws never come
// near it; it only makes sure the loop ends.
constexpr int DRAW_LIMIT = 100000;

int32_t drawFreeRow() {
    int32_t row = 0;
    for (int attempt = 0; attempt < DRAW_LIMIT; ++attempt) {
        row = nextRandom() % DRAWN_ROWS;
        if (CompanyCatalog[row].listed == 0) return row;
    }
    return firstFreeCatalogRow(row);
}

}  // namespace

void newGameSetup() {
    for (int row = 0; row < CATALOG_ROWS; ++row) {
        CompanyCatalog[row].catalogPrice = 1 + nextRandom() % 1000;
    }
    // The flags earlier games of the run left stay; only when too few rows
    // are free for thirty draws do the rows off the board come free.
    freeRowsForDraw(SLOTS);
    for (int slot = 0; slot < SLOTS; ++slot) {
        int32_t row = drawFreeRow();
        copyCatalogName(ListedCompanies[slot].name, sizeof ListedCompanies[slot].name, row);
        ListedCompanies[slot].price = CompanyCatalog[row].catalogPrice;
        CompanyCatalog[row].listed = 1;
        CatalogIndex[slot] = row;
    }
}
