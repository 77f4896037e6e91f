// SPDX-License-Identifier: GPL-2.0-or-later
// Reading the five save files into the records.
#include <cstdint>
#include <cstdio>

#include "core/files.h"
#include "state/catalog_rows.h"
#include "state/field_checks.h"
#include "state/records.h"
#include "state/save_files.h"
#include "state/save_layout.h"
#include "state/save_set.h"
#include "state/save_writer.h"

namespace {

// Texts end inside their fields and numbers used as indexes stay in range,
// whatever the files held.
void checkLoadedRecords() {
    for (int slot = 0; slot < SLOTS; ++slot) {
        forceTextEnd(ListedCompanies[slot].name, sizeof ListedCompanies[slot].name);
        forceTextEnd(Holdings[slot].sharesText, sizeof Holdings[slot].sharesText);
        forceTextEnd(TradeRows[slot].name, sizeof TradeRows[slot].name);
        forceTextEnd(TradeRows[slot].sharesText, sizeof TradeRows[slot].sharesText);
        CatalogIndex[slot] = clampToRange(CatalogIndex[slot], 0, CATALOG_ROWS - 1);
        PriceHistory[slot].historyCount = clampToRange(PriceHistory[slot].historyCount, 0, HISTORY_LENGTH);
    }
    forceTextEnd(Player.playerName, sizeof Player.playerName);
    forceTextEnd(Player.goalYearsText, sizeof Player.goalYearsText);
    forceTextEnd(Player.cashText, sizeof Player.cashText);
    forceTextEnd(PortfolioValue.stockValueText, sizeof PortfolioValue.stockValueText);
    Calendar.month = clampToRange(Calendar.month, 1, 12);
    GraphState.graphSelected = clampToRange(GraphState.graphSelected, 0, SLOTS - 1);
}

struct SavedSet {
    uint8_t images[SAVE_FILE_COUNT][LARGEST_SAVE_FILE];
    FileRead reads[SAVE_FILE_COUNT];
};
SavedSet savedSet;

// Reads the set as it stands after the repair of a cut-off save. False when
// a file of it is there but cannot be read whole.
bool readSavedSet() {
    finishSaves();
    settleSaveSet();
    bool whole = true;
    for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
        savedSet.reads[file] =
            readWholeFile(savedFilePath(file), savedSet.images[file], saveFiles[file].size);
        if (savedSet.reads[file].outcome == ReadOutcome::Unreadable) whole = false;
    }
    return whole;
}

}  // namespace

bool loadGame() {
    if (!readSavedSet()) return false;
    for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
        scatterSaveFile(saveFiles[file], savedSet.images[file], savedSet.reads[file].length);
        if (file == 1) {
            std::snprintf(session.yearsLeftText, sizeof session.yearsLeftText, "あと%d年",
                          Calendar.yearsLeft);
        }
    }
    checkLoadedRecords();
    markListedRows();
    return true;
}

bool saveFileExists() { return readSavedSet() && savedSet.reads[0].outcome == ReadOutcome::Read; }
