// SPDX-License-Identifier: GPL-2.0-or-later
// The ranking table, the asset class rule and savedat/rank.txt.
#include "frontend/rank_table.h"

#include <cstring>

#include "core/files.h"
#include "state/field_checks.h"
#include "state/save_layout.h"

RankEntry RankTable[RANK_ROWS];

const Rect classIconRects[7] = {
    {2, 371, 152, 409}, {2, 410, 152, 446}, {2, 447, 152, 483}, {2, 484, 152, 520},
    {2, 521, 152, 557}, {2, 559, 152, 593}, {2, 594, 152, 628},
};

namespace {

constexpr const char* RANK_FILE_PATH = "savedat/rank.txt";
constexpr const char* RANK_PENDING_PATH = "savedat/rank.txt.new";
constexpr size_t RANK_FILE_SIZE = sizeof(RankEntry) * RANK_FILE_ROWS;
static_assert(RANK_FILE_SIZE == 1072);

struct RankDefault {
    const char* name;
    int32_t cash;
};
constexpr RankDefault rankDefaults[RANK_ROWS] = {
    {"pelori", 200}, {"wasuno", 100}, {"kibeta", 100}, {"yum", 100}, {"doraq", 50},
};

}  // namespace

void resetRankTable() {
    std::memset(RankTable, 0, sizeof RankTable);
    for (int row = 0; row < RANK_ROWS; ++row) {
        std::strcpy(RankTable[row].name, rankDefaults[row].name);
        RankTable[row].cash = rankDefaults[row].cash;
    }
}

int32_t assetClassOf(int32_t total, int32_t previous) {
    int32_t assetClass = previous;
    if (total >= 100000000) assetClass = 0;
    if (total >= 10000000 && total < 100000000) assetClass = 1;
    if (total >= 1000000 && total < 10000000) assetClass = 2;
    if (total >= 10000 && total < 100000) assetClass = 3;
    if (total >= 1000 && total < 10000) assetClass = 4;
    if (total >= 200 && total < 1000) assetClass = 5;
    if (total < 200) assetClass = 6;
    return assetClass;
}

void loadRankFile() {
    uint8_t image[RANK_FILE_SIZE];
    const size_t length = readWholeFile(RANK_FILE_PATH, image, sizeof image).length;
    if (length == 0) return;
    // A short file fills the bytes it covers; row 5 is never in the file.
    // Classes are taken as stored: one outside 0 to 6 draws no icon.
    std::memcpy(RankTable, image, length);
    for (int row = 0; row < RANK_FILE_ROWS; ++row) {
        if (length <= sizeof(RankEntry) * row) break;
        forceTextEnd(RankTable[row].name, sizeof RankTable[row].name);
    }
}

void saveRankFile() {
    const void* image = RankTable;
    // The screen saves on every frame: an unchanged file is left as it is.
    uint8_t stored[RANK_FILE_SIZE + 1];
    const FileRead read = readWholeFile(RANK_FILE_PATH, stored, sizeof stored);
    if (read.outcome == ReadOutcome::Read && read.length == RANK_FILE_SIZE &&
        std::memcmp(stored, image, RANK_FILE_SIZE) == 0) {
        return;
    }
    // Written whole under another name, then put in place in one rename; a
    // ranking file that is there but cannot be read (no permission, a
    // folder, a dangling link) was never loaded and is left as it is.
    replaceFile(SAVE_FOLDER, RANK_FILE_PATH, RANK_PENDING_PATH, image, RANK_FILE_SIZE);
}
