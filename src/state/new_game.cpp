// The set-up of a new game: catalogue prices and the thirty listed companies.
#include <cstring>

#include "shell/rng.h"
#include "state/catalog_rows.h"
#include "state/records.h"
#include "state/save_files.h"

namespace {

// Draws after which a run of taken rows gives way to the next free row. With
// the flags cleared first at most 29 of 92 rows are taken, so the game's own
// draws never come near it; it only makes sure the loop ends.
constexpr int DRAW_LIMIT = 100000;

int32_t drawFreeRow() {
    int32_t row = 0;
    for (int attempt = 0; attempt < DRAW_LIMIT; ++attempt) {
        row = nextRandom() % DRAWN_ROWS;
        if (CompanyCatalog[row].listed == 0) return row;
    }
    return firstFreeCatalogRow(row);
}

// Copies a name with its terminator; the bytes after it keep their values.
void copyName(char* to, const char* from, size_t width) {
    size_t length = strnlen(from, width - 1);
    std::memcpy(to, from, length);
    to[length] = '\0';
}

}  // namespace

void newGameSetup() {
    for (int row = 0; row < CATALOG_ROWS; ++row) {
        CompanyCatalog[row].catalogPrice = 1 + nextRandom() % 1000;
    }
    // Flags left by earlier games of the run go, so the draws always end.
    clearListedFlags();
    for (int slot = 0; slot < SLOTS; ++slot) {
        int32_t row = drawFreeRow();
        copyName(ListedCompanies[slot].name, CompanyCatalog[row].name, sizeof ListedCompanies[slot].name);
        ListedCompanies[slot].price = CompanyCatalog[row].catalogPrice;
        CompanyCatalog[row].listed = 1;
        CatalogIndex[slot] = row;
    }
}
