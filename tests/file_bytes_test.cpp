// SPDX-License-Identifier: GPL-2.0-or-later
// The files byte for byte where a name is written into a field that already
// holds bytes: a ranking entry, a founded company; and the catalogue's listed
// flags, which decide the names a game can write.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "core/rng.h"
#include "core/scenes.h"
#include "frontend/award.h"
#include "frontend/rank_table.h"
#include "frontend/ranking_screen.h"
#include "market/market.h"
#include "state/catalog_rows.h"
#include "state/records.h"
#include "state/save_files.h"
#include "support/test_support.h"

namespace {

using testing_support::readFile;

TEST(FileBytes, RankingEntryKeepsTheRowsBytesAfterTheName) {
    testing_support::freshStartedRun();
    // A stored ranking whose rows carry bytes after their names.
    for (int row = 0; row < RANK_ROWS; ++row) {
        std::memset(RankTable[row].name, 'a' + row, sizeof RankTable[row].name);
        std::strcpy(RankTable[row].name, "stored");
        RankTable[row].cash = 100 - row;
        RankTable[row].assetClass = 5;
    }
    saveRankFile();
    const std::string stored = readFile("savedat/rank.txt");
    resetRankTable();

    std::strcpy(Player.playerName, "abc");
    Player.cash = 100;  // enters at row 2, below the row of equal cash
    ending.awardClass = 5;
    ending.rankEntryPending = 1;
    loop.GameScene = SCENE_RANKING;
    testing_support::runTurns(1);
    const std::string file = readFile("savedat/rank.txt");
    ASSERT_EQ(file.size(), 1072u);
    const std::string entry = file.substr(268, 256);
    EXPECT_EQ(entry.substr(0, 8), std::string("abc    \0", 8));
    EXPECT_EQ(entry.substr(8), stored.substr(268 + 8, 248));  // the row's own tail
    EXPECT_EQ(file.substr(0, 268), stored.substr(0, 268));
    EXPECT_EQ(file.substr(2 * 268, 268), stored.substr(268, 268));  // moved down whole
}

TEST(FileBytes, FoundingCopiesTheNameAsANewGameDoes) {
    testing_support::freshStartedRun();
    seedRandom(11);
    newGameSetup();
    std::memset(ListedCompanies[4].name, 'x', sizeof ListedCompanies[4].name);
    foundCompany(4, CatalogIndex[4]);
    const char* name = ListedCompanies[4].name;
    const size_t length = std::strlen(name);
    EXPECT_STREQ(name, catalogNames[CatalogIndex[4]]);
    ASSERT_TRUE(saveGame());
    const std::string data = readFile("savedat/data.txt");
    const std::string field = data.substr(4 * 104, 100);
    EXPECT_EQ(field.substr(0, length + 1), std::string(name, length + 1));
    EXPECT_EQ(field.substr(length + 1), std::string(99 - length, 'x'));
}

TEST(FileBytes, ListedFlagsStayThroughTheRun) {
    testing_support::freshStartedRun();
    seedRandom(21);
    newGameSetup();
    int32_t first[SLOTS];
    std::memcpy(first, CatalogIndex, sizeof first);
    ASSERT_TRUE(saveGame());
    // A second game of the run never lists a row the first one holds.
    newGameSetup();
    for (int slot = 0; slot < SLOTS; ++slot) {
        for (int32_t row : first) ASSERT_NE(CatalogIndex[slot], row);
    }
    // Continuing the first: its rows are marked, the second game's stay.
    int32_t second[SLOTS];
    std::memcpy(second, CatalogIndex, sizeof second);
    loadGame();
    for (int slot = 0; slot < SLOTS; ++slot) {
        EXPECT_EQ(CompanyCatalog[first[slot]].listed, 1);
        EXPECT_EQ(CompanyCatalog[second[slot]].listed, 1);
    }
    EXPECT_EQ(freeCatalogRows(), 32);
    // Foundings take rows free of both games while there are any.
    session.loadSaved = 1;
    for (int i = 0; i < 31; ++i) {
        const int32_t slot = i % SLOTS;
        foundCompany(slot, CatalogIndex[slot]);
        for (int32_t row : second) ASSERT_NE(CatalogIndex[slot], row) << "founding " << i;
    }
}

}  // namespace
