// SPDX-License-Identifier: GPL-2.0-or-later
// Founding: a new company from the catalogue takes the slot of a bankrupt one.
#include <cstdio>
#include <cstring>

#include "core/devices.h"
#include "core/rng.h"
#include "market/market.h"
#include "market/market_state.h"
#include "state/catalog_rows.h"

// Each attempt reseeds from the millisecond clock, so attempts within one
// millisecond draw the same row: the draw waits for the clock to move. Clock
// polls are bounded so the draw ends even when the clock stands still.
constexpr int32_t FOUNDING_CLOCK_POLLS = 2000000;
int32_t drawFreeCatalogRow() {
    bool seeded = false;
    uint32_t lastSeed = 0;
    for (int32_t poll = 0; poll < FOUNDING_CLOCK_POLLS; ++poll) {
        const uint32_t now = timeGetTime();
        if (seeded && now == lastSeed) continue;  // same seed, same row
        seedRandom(now);
        seeded = true;
        lastSeed = now;
        const int32_t row = nextRandom() % DRAWN_ROWS;
        if (CompanyCatalog[row].listed == 0) return row;
    }
    for (int32_t row = 0; row < DRAWN_ROWS; ++row) {
        if (CompanyCatalog[row].listed == 0) return row;
    }
    return CATALOG_ROWS - 1;
}

void foundCompany(int32_t slot, int32_t oldRow) {
    if (slot < 0 || slot >= SLOTS) return;
    freeRowsForDraw(1);
    const int32_t row = drawFreeCatalogRow();
    CatalogEntry& entry = CompanyCatalog[row];
    entry.listed = 1;
    ListedCompany& company = ListedCompanies[slot];
    copyCatalogName(company.name, sizeof company.name, row);
    std::snprintf(market.foundedMessage, sizeof market.foundedMessage, "%sが設立されました", company.name);
    if (session.loadSaved == 1) entry.catalogPrice = 18 + nextRandom() % 5;
    company.price = entry.catalogPrice;
    std::snprintf(session.priceText[slot], sizeof session.priceText[slot], "%d", company.price);
    PriceHistory[slot].history[0] = company.price;
    PriceHistory[slot].historyCount = 1;
    if (oldRow >= 0 && oldRow < CATALOG_ROWS) CompanyCatalog[oldRow].listed = 0;
    CatalogIndex[slot] = row;
    market.foundedShowing = 1;
}
