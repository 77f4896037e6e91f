// Reading the five save files into the records.
#include <cstdint>
#include <cstdio>

#include "state/catalog_rows.h"
#include "state/file_ops.h"
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

}  // namespace

void loadGame() {
    finishSaves();
    if (pathExists(SAVE_FOLDER)) settleSaveSet();
    uint8_t image[LARGEST_SAVE_FILE];
    for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
        size_t length = readFileInto(savedFilePath(file), image, saveFiles[file].size);
        scatterSaveFile(saveFiles[file], image, length);
        if (file == 1) {
            std::snprintf(yearsLeftText, sizeof yearsLeftText, "あと%d年", Calendar.yearsLeft);
        }
    }
    checkLoadedRecords();
    markListedRows();
}
