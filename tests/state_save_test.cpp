// SPDX-License-Identifier: GPL-2.0-or-later
// New-game draw, the five save files and loading them back.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/files.h"
#include "core/rng.h"
#include "program/program.h"
#include "state/catalog_rows.h"
#include "state/field_checks.h"
#include "state/records.h"
#include "state/save_files.h"
#include "state/save_layout.h"
#include "support/test_platform.h"
#include "support/test_support.h"

namespace {

using testing_support::savedRecords;

using testing_support::readFile;

void writeBytes(const char* path, const std::string& bytes) {
    FILE* f = std::fopen(path, "wb");
    ASSERT_NE(f, nullptr) << path;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

int32_t readInt(const std::string& bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes.at(offset + i));
    return static_cast<int32_t>(value);
}

// Fills every saved record with varied bytes that a game could hold: texts
// end inside their fields (with junk after the NUL) and indexes are in range.
void fillRecords(uint32_t seed) {
    seedRandom(seed);
    for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
        for (int i = 0; i < saveFiles[file].blockCount; ++i) {
            uint8_t* p = static_cast<uint8_t*>(saveFiles[file].blocks[i].bytes);
            for (size_t b = 0; b < saveFiles[file].blocks[i].size; ++b)
                p[b] = static_cast<uint8_t>(nextRandom());
        }
    }
    for (int slot = 0; slot < SLOTS; ++slot) {
        ListedCompanies[slot].name[nextRandom() % 100] = '\0';
        Holdings[slot].sharesText[nextRandom() % 12] = '\0';
        TradeRows[slot].name[nextRandom() % 100] = '\0';
        TradeRows[slot].sharesText[nextRandom() % 52] = '\0';
        CatalogIndex[slot] = (slot * 3 + static_cast<int32_t>(seed)) % CATALOG_ROWS;
        PriceHistory[slot].historyCount = nextRandom() % 14;
    }
    Player.playerName[nextRandom() % 255] = '\0';
    Player.goalYearsText[nextRandom() % 10] = '\0';
    Player.cashText[nextRandom() % 103] = '\0';
    PortfolioValue.stockValueText[nextRandom() % 100] = '\0';
    Calendar.month = 1 + nextRandom() % 12;
    GraphState.graphSelected = nextRandom() % 30;
}

bool inCatalogIndex(int row) {
    for (int slot = 0; slot < SLOTS; ++slot) {
        if (CatalogIndex[slot] == row) return true;
    }
    return false;
}

// The rows of CatalogIndex are listed, and so is every row listed before
// (`before`, none when null): nothing is cleared.
void expectListedRows(const int32_t* before = nullptr) {
    for (int row = 0; row < CATALOG_ROWS; ++row) {
        const bool wasListed = before != nullptr && before[row] == 1;
        ASSERT_EQ(CompanyCatalog[row].listed, inCatalogIndex(row) || wasListed ? 1 : 0) << "row " << row;
    }
}

// The set-up as the game draws it, for comparison: the flags of earlier games
// stay, and when fewer than thirty drawn rows are free the rows off the board
// (`rows` of the game before) come free first.
void referenceSetup(uint32_t seed, int listed[CATALOG_ROWS], int32_t prices[CATALOG_ROWS], int32_t rows[SLOTS]) {
    seedRandom(seed);
    for (int row = 0; row < CATALOG_ROWS; ++row) prices[row] = 1 + nextRandom() % 1000;
    int free = 0;
    for (int row = 0; row < 92; ++row) free += listed[row] == 0;
    if (free < SLOTS) {
        for (int row = 0; row < CATALOG_ROWS; ++row) {
            bool onBoard = false;
            for (int slot = 0; slot < SLOTS; ++slot) onBoard = onBoard || rows[slot] == row;
            if (!onBoard) listed[row] = 0;
        }
    }
    for (int slot = 0; slot < SLOTS; ++slot) {
        int row;
        do {
            row = nextRandom() % 92;
        } while (listed[row] == 1);
        listed[row] = 1;
        rows[slot] = row;
    }
}

TEST(StateNewGame, DrawsThirtyDistinctRowsNeverTheLast) {
    testing_support::freshRun();
    int listed[CATALOG_ROWS] = {};
    int32_t rows[SLOTS] = {};
    for (uint32_t seed = 0; seed < 3000; ++seed) {
        int32_t prices[CATALOG_ROWS];
        referenceSetup(seed * 2654435761u, listed, prices, rows);
        seedRandom(seed * 2654435761u);
        newGameSetup();
        bool seen[CATALOG_ROWS] = {};
        for (int slot = 0; slot < SLOTS; ++slot) {
            int32_t row = CatalogIndex[slot];
            ASSERT_GE(row, 0);
            ASSERT_LT(row, 92) << "row 92 is never drawn";
            ASSERT_FALSE(seen[row]) << "row listed twice, seed " << seed;
            seen[row] = true;
            ASSERT_EQ(row, rows[slot]) << "draw order, seed " << seed;
            ASSERT_STREQ(ListedCompanies[slot].name, catalogNames[row]);
            ASSERT_EQ(ListedCompanies[slot].price, CompanyCatalog[row].catalogPrice);
        }
        for (int row = 0; row < CATALOG_ROWS; ++row) {
            ASSERT_EQ(CompanyCatalog[row].catalogPrice, prices[row]);
            ASSERT_GE(CompanyCatalog[row].catalogPrice, 1);
            ASSERT_LE(CompanyCatalog[row].catalogPrice, 1000);
        }
        // The flags of the earlier games of the run stay as they were drawn.
        for (int row = 0; row < CATALOG_ROWS; ++row) ASSERT_EQ(CompanyCatalog[row].listed, listed[row]);
    }
}

TEST(StateNewGame, EndsWhateverFlagsEarlierGamesLeft) {
    testing_support::freshRun();
    seedRandom(76);
    newGameSetup();
    int32_t board[SLOTS];
    std::memcpy(board, CatalogIndex, sizeof board);
    // A second game draws from the rows the first left free.
    newGameSetup();
    for (int slot = 0; slot < SLOTS; ++slot) {
        for (int before = 0; before < SLOTS; ++before) ASSERT_NE(CatalogIndex[slot], board[before]);
    }
    EXPECT_EQ(freeCatalogRows(), 32);
    // Every row taken: the rows off the board come free, the board's stay.
    for (int row = 0; row < CATALOG_ROWS; ++row) CompanyCatalog[row].listed = 1;
    std::memcpy(board, CatalogIndex, sizeof board);
    newGameSetup();
    for (int slot = 0; slot < SLOTS; ++slot) {
        EXPECT_EQ(CompanyCatalog[board[slot]].listed, 1);
        for (int before = 0; before < SLOTS; ++before) ASSERT_NE(CatalogIndex[slot], board[before]);
    }
    EXPECT_EQ(freeCatalogRows(), 32);
    EXPECT_EQ(CompanyCatalog[92].listed, 0);
}

TEST(StateNewGame, KeepsTheBytesAfterTheNameAndOtherRecords) {
    testing_support::freshRun();
    std::memset(ListedCompanies, 'x', sizeof ListedCompanies);
    PriceHistory[3].history[0] = 55;
    GraphState.graphSelected = 7;
    TradeRows[4].bought = 1;
    PortfolioValue.everBought = 1;
    seedRandom(1);
    newGameSetup();
    for (int slot = 0; slot < SLOTS; ++slot) {
        size_t length = std::strlen(ListedCompanies[slot].name);
        ASSERT_LT(length, 99u);
        EXPECT_EQ(ListedCompanies[slot].name[length + 1], 'x');
    }
    EXPECT_EQ(PriceHistory[3].history[0], 55);
    EXPECT_EQ(GraphState.graphSelected, 7);
    EXPECT_EQ(TradeRows[4].bought, 1);
    EXPECT_EQ(PortfolioValue.everBought, 1);
}

TEST(StateSaveFiles, SizesAndOffsets) {
    testing_support::freshRun();
    EXPECT_FALSE(saveFileExists());
    std::memset(&Player, 0, sizeof Player);
    std::strcpy(Player.playerName, "abc");
    Player.playerName[200] = 'Z';  // stored at full width
    std::strcpy(Player.goalYearsText, "30");
    std::strcpy(Player.cashText, "2000000円");
    Player.cash = 0x11223344;
    Calendar = {2003, 1, 2, 30};
    PortfolioValue.stockValue = -2;
    PortfolioValue.stockValueSum = 0;
    PortfolioValue.everBought = 1;
    std::strcpy(PortfolioValue.stockValueText, "ただいまの株価値 10000円");
    for (int slot = 0; slot < SLOTS; ++slot) {
        CatalogIndex[slot] = 60 + slot;
        ListedCompanies[slot].price = 1000 + slot;
        Holdings[slot].shares = 10000 * slot;
        PriceHistory[slot].historyCount = slot % 14;
        PriceHistory[slot].graphY = -slot;
        TradeRows[slot].sellOrder = slot;
        TradeRows[slot].sellPending = 1;
    }
    std::strcpy(ListedCompanies[1].name, catalogNames[5]);
    GraphState = {1, 29, 30};
    saveGame();
    EXPECT_TRUE(saveFileExists());

    std::string data = readFile("savedat/data.txt");
    std::string edit = readFile("savedat/edit.txt");
    std::string rist = readFile("savedat/rist.txt");
    std::string grafu = readFile("savedat/grafu.txt");
    std::string grafu2 = readFile("savedat/grafu2.txt");
    ASSERT_EQ(data.size(), 3120u);
    ASSERT_EQ(edit.size(), 620u);
    ASSERT_EQ(rist.size(), 3480u);
    ASSERT_EQ(grafu.size(), 3720u);
    ASSERT_EQ(grafu2.size(), 4932u);

    EXPECT_EQ(data.substr(104, std::strlen(catalogNames[5])), catalogNames[5]);
    EXPECT_EQ(readInt(data, 104 + 100), 1001);
    EXPECT_EQ(readInt(data, 29 * 104 + 100), 1029);
    EXPECT_EQ(edit.substr(0, 4), std::string("abc\0", 4));
    EXPECT_EQ(edit[200], 'Z');
    EXPECT_EQ(edit.substr(255, 3), std::string("30\0", 3));
    EXPECT_EQ(edit.substr(265, std::strlen(Player.cashText)), Player.cashText);
    EXPECT_EQ(static_cast<uint8_t>(edit[368]), 0x44);  // little-endian
    EXPECT_EQ(static_cast<uint8_t>(edit[371]), 0x11);
    EXPECT_EQ(readInt(edit, 372), 2003);
    EXPECT_EQ(readInt(edit, 376), 1);
    EXPECT_EQ(readInt(edit, 380), 2);
    EXPECT_EQ(readInt(edit, 384), 30);
    EXPECT_EQ(readInt(edit, 388), -2);
    EXPECT_EQ(readInt(edit, 392), 0);
    EXPECT_EQ(edit.substr(396, std::strlen(PortfolioValue.stockValueText)), PortfolioValue.stockValueText);
    EXPECT_EQ(readInt(edit, 496), 1);
    EXPECT_EQ(readInt(edit, 500), 60);
    EXPECT_EQ(readInt(edit, 616), 89);
    EXPECT_EQ(readInt(rist, 116 * 3 + 112), 30000);
    EXPECT_EQ(readInt(grafu, 124 * 5 + 52), 5);
    EXPECT_EQ(readInt(grafu, 124 * 5 + 120), -5);
    EXPECT_EQ(readInt(grafu2, 0), 1);
    EXPECT_EQ(readInt(grafu2, 4), 29);
    EXPECT_EQ(readInt(grafu2, 8), 30);
    EXPECT_EQ(readInt(grafu2, 12 + 164 * 7 + 152), 7);
    EXPECT_EQ(readInt(grafu2, 12 + 164 * 7 + 160), 1);
    EXPECT_EQ(readInt(grafu2, 12 + 164 * 29 + 152), 29);
    // Nothing but the five files is left in the folder.
    EXPECT_FALSE(nameExists("savedat/save.commit"));
    for (int file = 0; file < SAVE_FILE_COUNT; ++file) EXPECT_FALSE(nameExists(saveFiles[file].pendingPath));
}

TEST(StateSaveFiles, RoundTripByteForByte) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        testing_support::freshRun();
        fillRecords(seed);
        const std::string saved = savedRecords();
        saveGame();
        std::string files[SAVE_FILE_COUNT];
        for (int file = 0; file < SAVE_FILE_COUNT; ++file) files[file] = readFile(saveFiles[file].path);

        // A fresh state of the program, then the load.
        resetProgramState();
        int32_t before[CATALOG_ROWS];
        for (int row = 0; row < CATALOG_ROWS; ++row) CompanyCatalog[row].listed = before[row] = row % 2;
        session.loadSaved = 1;
        loadGame();
        ASSERT_EQ(savedRecords(), saved) << "seed " << seed;
        // The load marks its thirty rows and clears nothing.
        expectListedRows(before);
        char expected[32];
        std::snprintf(expected, sizeof expected, "あと%d年", Calendar.yearsLeft);
        EXPECT_STREQ(session.yearsLeftText, expected);

        // Saving the loaded game writes the same bytes again.
        saveGame();
        for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
            ASSERT_EQ(readFile(saveFiles[file].path), files[file]) << saveFiles[file].path;
        }
    }
}

TEST(StateSaveFiles, NewGameSavedAndContinued) {
    testing_support::freshRun();
    seedRandom(12345);
    Player.cash = 200;
    std::snprintf(Player.cashText, sizeof Player.cashText, "%ld0000円", 200L);
    Calendar = {2003, 1, 1, 5};
    newGameSetup();
    saveGame();
    int32_t rows[SLOTS];
    std::memcpy(rows, CatalogIndex, sizeof rows);
    ListedCompany listed[SLOTS];
    std::memcpy(listed, ListedCompanies, sizeof listed);

    resetProgramState();
    loadGame();
    EXPECT_EQ(std::memcmp(CatalogIndex, rows, sizeof rows), 0);
    EXPECT_EQ(std::memcmp(ListedCompanies, listed, sizeof listed), 0);
    expectListedRows();
    EXPECT_STREQ(session.yearsLeftText, "あと5年");
    EXPECT_STREQ(Player.cashText, "2000000円");
    // Catalogue prices are not saved: a fresh run keeps 0.
    for (int row = 0; row < CATALOG_ROWS; ++row) EXPECT_EQ(CompanyCatalog[row].catalogPrice, 0);
}

TEST(StateSaveFiles, MissingFolderAndFiles) {
    testing_support::freshRun();
    // No folder: loading changes nothing, saving makes the folder.
    Player.cash = 99;
    Calendar.yearsLeft = 3;
    loadGame();
    EXPECT_EQ(Player.cash, 99);
    EXPECT_STREQ(session.yearsLeftText, "あと3年");
    EXPECT_FALSE(saveFileExists());
    EXPECT_FALSE(std::filesystem::exists("savedat"));
    saveGame();
    EXPECT_TRUE(std::filesystem::is_directory("savedat"));
    EXPECT_TRUE(saveFileExists());

    // A missing file leaves its records as they are.
    std::filesystem::remove("savedat/edit.txt");
    std::filesystem::remove("savedat/grafu2.txt");
    Player.cash = 500;
    GraphState.graphSelected = 11;
    TradeRows[2].bought = 1;
    ListedCompanies[0].price = 1;
    loadGame();
    EXPECT_EQ(Player.cash, 500);
    EXPECT_EQ(GraphState.graphSelected, 11);
    EXPECT_EQ(TradeRows[2].bought, 1);
    EXPECT_EQ(ListedCompanies[0].price, 0);  // data.txt was read

    std::filesystem::remove("savedat/data.txt");
    EXPECT_FALSE(saveFileExists());

    // A folder by the name of a save file does not count as one.
    std::filesystem::create_directory("savedat/data.txt");
    EXPECT_FALSE(saveFileExists());
    std::filesystem::remove("savedat/data.txt");
}

// Nor does a pipe, which does not stop the game either.
TEST(StateSaveFiles, PipesAtSaveNamesNeitherCountNorBlock) {
    testing_support::freshRun();
    saveGame();
    std::filesystem::remove("savedat/data.txt");
    if (!testing_support::makePipe("savedat/data.txt")) GTEST_SKIP() << "no named pipes in this file system";
    std::filesystem::remove("savedat/rist.txt");
    ASSERT_TRUE(testing_support::makePipe("savedat/rist.txt"));
    EXPECT_FALSE(saveFileExists());
    Holdings[4].shares = 123;
    loadGame();
    EXPECT_EQ(Holdings[4].shares, 123);
    saveGame();
    EXPECT_TRUE(saveFileExists());
    EXPECT_EQ(readFile("savedat/rist.txt").size(), 3480u);
}

TEST(StateSaveFiles, ShortFileFillsWhatItCovers) {
    testing_support::freshRun();
    saveGame();
    // data.txt of one record and 46 bytes of the next, with no NUL.
    std::string shortData(104 + 46, 'A');
    writeBytes("savedat/data.txt", shortData);
    std::memset(ListedCompanies, 'q', sizeof ListedCompanies);
    ListedCompanies[1].name[60] = '\0';
    ListedCompanies[2].price = 42;
    loadGame();
    // Slot 0 is wholly from the file; its name gets its end at the last byte.
    EXPECT_EQ(std::strlen(ListedCompanies[0].name), 99u);
    EXPECT_EQ(ListedCompanies[0].price, 0x41414141);
    // Slot 1: the first 46 bytes replaced, the rest kept.
    EXPECT_EQ(ListedCompanies[1].name[45], 'A');
    EXPECT_EQ(ListedCompanies[1].name[46], 'q');
    EXPECT_EQ(std::strlen(ListedCompanies[1].name), 60u);
    EXPECT_EQ(ListedCompanies[2].price, 42);

    // edit.txt covering only the player block: calendar and index kept.
    std::string player(372, '\0');
    player[0] = 'n';
    player[368] = 7;
    writeBytes("savedat/edit.txt", player);
    Calendar = {2010, 4, 5, 9};
    CatalogIndex[0] = 17;
    loadGame();
    EXPECT_STREQ(Player.playerName, "n");
    EXPECT_EQ(Player.cash, 7);
    EXPECT_EQ(Calendar.year, 2010);
    EXPECT_EQ(Calendar.yearsLeft, 9);
    EXPECT_EQ(CatalogIndex[0], 17);
    EXPECT_STREQ(session.yearsLeftText, "あと9年");

    // An oversized file gives only its first bytes.
    std::string big(20000, '\0');
    big[12 + 164 * 3 + 156] = 1;
    big[4] = 3;
    writeBytes("savedat/grafu2.txt", big);
    loadGame();
    EXPECT_EQ(GraphState.graphSelected, 3);
    EXPECT_EQ(TradeRows[3].bought, 1);
}

TEST(StateSaveFiles, TextsEndInsideTheirFieldsAndIndexesInRange) {
    testing_support::freshRun();
    saveGame();
    std::string edit(620, '\xFF');
    std::string grafu(3720, '\0');
    std::string grafu2(4932, '\x81');
    std::string rist(3480, '\x82');
    std::string data(3120, '\x87');
    // CatalogIndex and the history counts at their extremes.
    auto putInt = [](std::string& s, size_t at, int32_t v) {
        for (int i = 0; i < 4; ++i)
            s[at + i] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF);
    };
    const int32_t extremes[] = {-1, 93, INT_MIN, INT_MAX, 92, 0};
    for (int slot = 0; slot < SLOTS; ++slot) {
        putInt(edit, 500 + 4 * slot, extremes[slot % 6]);
        putInt(grafu, 124 * slot + 52, slot % 2 ? INT_MIN : 14);
    }
    putInt(edit, 376, 13);
    putInt(edit, 384, INT_MIN);
    putInt(grafu2, 4, 30);
    writeBytes("savedat/data.txt", data);
    writeBytes("savedat/edit.txt", edit);
    writeBytes("savedat/rist.txt", rist);
    writeBytes("savedat/grafu.txt", grafu);
    writeBytes("savedat/grafu2.txt", grafu2);
    loadGame();
    for (int slot = 0; slot < SLOTS; ++slot) {
        EXPECT_EQ(std::strlen(ListedCompanies[slot].name), 99u);
        EXPECT_EQ(std::strlen(Holdings[slot].sharesText), 11u);
        EXPECT_EQ(std::strlen(TradeRows[slot].name), 99u);
        EXPECT_EQ(std::strlen(TradeRows[slot].sharesText), 51u);
        EXPECT_GE(CatalogIndex[slot], 0);
        EXPECT_LE(CatalogIndex[slot], 92);
        EXPECT_EQ(PriceHistory[slot].historyCount, slot % 2 ? 0 : 13);
    }
    EXPECT_EQ(CatalogIndex[0], 0);
    EXPECT_EQ(CatalogIndex[1], 92);
    EXPECT_EQ(CatalogIndex[2], 0);
    EXPECT_EQ(CatalogIndex[3], 92);
    EXPECT_EQ(std::strlen(Player.playerName), 254u);
    EXPECT_EQ(std::strlen(Player.goalYearsText), 9u);
    EXPECT_EQ(std::strlen(Player.cashText), 102u);
    EXPECT_EQ(std::strlen(PortfolioValue.stockValueText), 99u);
    EXPECT_EQ(Calendar.month, 12);
    EXPECT_EQ(GraphState.graphSelected, 29);
    EXPECT_STREQ(session.yearsLeftText, "あと-2147483648年");
    expectListedRows();
}

TEST(StateSaveFiles, FailedWriteLeavesRecordsAndOldSave) {
    testing_support::freshRun();
    fillRecords(3);
    const std::string oldSave = savedRecords();
    saveGame();
    fillRecords(4);
    const std::string newSave = savedRecords();
    // Every single failing step of a save.
    for (int32_t step = 1; step <= 40; ++step) {
        resetFileOps();
        fileOpStopAt = step;
        fileOpFailOnce = 1;
        saveGame();
        resetFileOps();
        ASSERT_EQ(savedRecords(), newSave) << "step " << step;
        // Whatever the step, what loads is one whole save.
        resetGameRecords();
        loadGame();
        const std::string loaded = savedRecords();
        ASSERT_TRUE(loaded == oldSave || loaded == newSave) << "step " << step;
        // Put the old save back for the next step.
        fillRecords(3);
        saveGame();
        resetGameRecords();
        loadGame();
        ASSERT_EQ(savedRecords(), oldSave);
        fillRecords(4);
    }

    // A folder name taken by a file: the save cannot be written at all.
    testing_support::freshRun();
    writeBytes("savedat", "not a folder");
    fillRecords(5);
    const std::string kept = savedRecords();
    saveGame();
    EXPECT_EQ(savedRecords(), kept);
    EXPECT_EQ(readFile("savedat"), "not a folder");
    EXPECT_FALSE(saveFileExists());
    loadGame();
    EXPECT_EQ(savedRecords(), kept);
}

}  // namespace
