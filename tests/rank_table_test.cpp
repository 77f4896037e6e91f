// SPDX-License-Identifier: GPL-2.0-or-later
// The ranking table, the asset class rule and savedat/rank.txt.
#include "frontend/rank_table.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "core/files.h"
#include "core/scenes.h"
#include "state/field_checks.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using testing_support::readFile;

void writeBytes(const char* path, const std::string& bytes) {
    FILE* f = std::fopen(path, "wb");
    ASSERT_NE(f, nullptr) << path;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string tableBytes() { return std::string(reinterpret_cast<const char*>(RankTable), sizeof RankTable); }

std::string rowBytes(int row) {
    return std::string(reinterpret_cast<const char*>(&RankTable[row]), sizeof(RankEntry));
}

void freshTable() {
    testing_support::freshRun();
    resetRankTable();
}

// Rows with every byte in use: names with junk after their terminator.
void fillTable(uint32_t seed) {
    std::mt19937 random(seed);
    for (int row = 0; row < RANK_ROWS; ++row) {
        for (char& c : RankTable[row].name) c = static_cast<char>(random() & 0xFF);
        RankTable[row].name[random() % 256] = '\0';
        RankTable[row].assetClass = static_cast<int32_t>(random() % 7);
        RankTable[row].stockValue = static_cast<int32_t>(random());
        RankTable[row].cash = static_cast<int32_t>(random());
    }
}

TEST(RankTable, BuiltInDefaults) {
    freshTable();
    const char* names[] = {"pelori", "wasuno", "kibeta", "yum", "doraq"};
    const int32_t cash[] = {200, 100, 100, 100, 50};
    for (int row = 0; row < RANK_ROWS; ++row) {
        EXPECT_STREQ(RankTable[row].name, names[row]);
        size_t length = std::strlen(names[row]);
        for (size_t i = length; i < sizeof RankTable[row].name; ++i) ASSERT_EQ(RankTable[row].name[i], '\0');
        EXPECT_EQ(RankTable[row].assetClass, 0);
        EXPECT_EQ(RankTable[row].stockValue, 0);
        EXPECT_EQ(RankTable[row].cash, cash[row]);
    }
    // The rule gives the defaults 5, 6, 6, 6, 6.
    const int32_t classes[] = {5, 6, 6, 6, 6};
    for (int row = 0; row < RANK_ROWS; ++row) {
        EXPECT_EQ(assetClassOf(RankTable[row].stockValue + RankTable[row].cash, RankTable[row].assetClass),
                  classes[row]);
    }
    // A reset puts back the defaults after any change.
    fillTable(3);
    resetRankTable();
    EXPECT_STREQ(RankTable[3].name, "yum");
    EXPECT_EQ(RankTable[3].name[5], '\0');
    EXPECT_EQ(RankTable[4].cash, 50);
}

TEST(RankTable, AssetClassBoundaries) {
    EXPECT_EQ(assetClassOf(INT_MAX, 4), 0);
    EXPECT_EQ(assetClassOf(100000000, 4), 0);
    EXPECT_EQ(assetClassOf(99999999, 4), 1);
    EXPECT_EQ(assetClassOf(10000000, 4), 1);
    EXPECT_EQ(assetClassOf(9999999, 4), 2);
    EXPECT_EQ(assetClassOf(1000000, 4), 2);
    // 100,000 to 999,999: no rule, the class stays.
    for (int32_t previous = 0; previous <= 6; ++previous) {
        EXPECT_EQ(assetClassOf(999999, previous), previous);
        EXPECT_EQ(assetClassOf(100000, previous), previous);
        EXPECT_EQ(assetClassOf(500000, previous), previous);
    }
    EXPECT_EQ(assetClassOf(99999, 0), 3);
    EXPECT_EQ(assetClassOf(10000, 0), 3);
    EXPECT_EQ(assetClassOf(9999, 0), 4);
    EXPECT_EQ(assetClassOf(1000, 0), 4);
    EXPECT_EQ(assetClassOf(999, 0), 5);
    EXPECT_EQ(assetClassOf(200, 0), 5);
    EXPECT_EQ(assetClassOf(199, 0), 6);
    EXPECT_EQ(assetClassOf(0, 0), 6);
    EXPECT_EQ(assetClassOf(-5, 0), 6);
    EXPECT_EQ(assetClassOf(INT_MIN, 0), 6);
    // The example of the ranking: 150 cash and 900 in shares.
    EXPECT_EQ(assetClassOf(1050, 0), 4);
}

TEST(RankTable, ClassIcons) {
    const Rect expected[7] = {{2, 371, 152, 409}, {2, 410, 152, 446}, {2, 447, 152, 483}, {2, 484, 152, 520},
                              {2, 521, 152, 557}, {2, 559, 152, 593}, {2, 594, 152, 628}};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(classIconRects[c].left, expected[c].left);
        EXPECT_EQ(classIconRects[c].top, expected[c].top);
        EXPECT_EQ(classIconRects[c].right, expected[c].right);
        EXPECT_EQ(classIconRects[c].bottom, expected[c].bottom);
        EXPECT_EQ(classIconRects[c].right - classIconRects[c].left, 150);
        EXPECT_LE(classIconRects[c].bottom, 726);  // inside the sprite sheet
    }
}

TEST(RankFile, RoundTripKeepsRowFive) {
    freshTable();
    fillTable(11);
    const std::string saved = tableBytes();
    saveRankFile();  // makes savedat/ too
    const std::string file = readFile("savedat/rank.txt");
    ASSERT_EQ(file.size(), 1072u);
    EXPECT_EQ(file, saved.substr(0, 1072));
    EXPECT_FALSE(nameExists("savedat/rank.txt.new"));

    fillTable(12);
    const std::string rowFive = rowBytes(4);
    loadRankFile();
    EXPECT_EQ(tableBytes().substr(0, 1072), saved.substr(0, 1072));
    EXPECT_EQ(rowBytes(4), rowFive);

    // Little-endian fields at their offsets.
    RankTable[1].assetClass = 3;
    RankTable[1].stockValue = 0x01020304;
    RankTable[1].cash = -1;
    saveRankFile();
    const std::string again = readFile("savedat/rank.txt");
    EXPECT_EQ(again[268 + 256], 3);
    EXPECT_EQ(again[268 + 260], 4);
    EXPECT_EQ(again[268 + 263], 1);
    EXPECT_EQ(static_cast<uint8_t>(again[268 + 264]), 0xFF);
}

TEST(RankFile, MissingShortAndHostileFiles) {
    freshTable();
    // No file: the table stays.
    loadRankFile();
    std::string defaults = tableBytes();
    EXPECT_STREQ(RankTable[0].name, "pelori");

    // Two rows and ten bytes: rows 1 and 2 replaced, row 3 in part.
    fs::create_directory("savedat");
    std::string bytes(268 * 2 + 10, '\0');
    std::memcpy(&bytes[0], "first", 5);
    std::memcpy(&bytes[268], "second", 6);
    bytes[268 + 256] = 2;
    std::memcpy(&bytes[536], "thirdname!", 10);
    writeBytes("savedat/rank.txt", bytes);
    loadRankFile();
    EXPECT_STREQ(RankTable[0].name, "first");
    EXPECT_EQ(RankTable[0].cash, 0);
    EXPECT_STREQ(RankTable[1].name, "second");
    EXPECT_EQ(RankTable[1].assetClass, 2);
    EXPECT_EQ(std::string(RankTable[2].name, 10), "thirdname!");
    EXPECT_LT(strnlen(RankTable[2].name, 256), 256u);
    EXPECT_EQ(RankTable[2].cash, 100);
    EXPECT_EQ(rowBytes(3), defaults.substr(268 * 3, 268));
    EXPECT_EQ(rowBytes(4), defaults.substr(268 * 4, 268));

    // Names without a terminator and classes out of range.
    std::string hostile(1072, 'N');
    int32_t classes[4] = {-1, 7, INT_MIN, INT_MAX};
    for (int row = 0; row < 4; ++row) std::memcpy(&hostile[268 * row + 256], &classes[row], 4);
    writeBytes("savedat/rank.txt", hostile + "overlong tail");
    loadRankFile();
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(std::strlen(RankTable[row].name), 255u);
        EXPECT_EQ(RankTable[row].assetClass, classes[row]);  // taken as stored
        EXPECT_EQ(RankTable[row].cash, 0x4E4E4E4E);
    }
    EXPECT_EQ(rowBytes(4), defaults.substr(268 * 4, 268));

    // A folder in place of the file reads as missing.
    resetRankTable();
    fs::remove("savedat/rank.txt");
    fs::create_directory("savedat/rank.txt");
    loadRankFile();
    EXPECT_EQ(tableBytes(), defaults);
}

TEST(RankFile, FailedWritesLeaveTableAndFile) {
    freshTable();
    // A file where the folder should be: nothing is written anywhere.
    writeBytes("savedat", "plain");
    fillTable(5);
    const std::string table = tableBytes();
    saveRankFile();
    EXPECT_EQ(tableBytes(), table);
    EXPECT_EQ(readFile("savedat"), "plain");

    // Every failing or cut step: the file is the old one or the new one, whole.
    freshTable();
    fillTable(6);
    saveRankFile();
    const std::string oldFile = readFile("savedat/rank.txt");
    fillTable(7);
    const std::string newTable = tableBytes();
    for (int32_t failOnce = 0; failOnce <= 1; ++failOnce) {
        for (int32_t step = 1; step <= 8; ++step) {
            resetFileOps();
            fileOpStopAt = step;
            fileOpFailOnce = failOnce;
            saveRankFile();
            resetFileOps();
            EXPECT_EQ(tableBytes(), newTable);
            const std::string file = readFile("savedat/rank.txt");
            ASSERT_TRUE(file == oldFile || file == newTable.substr(0, 1072)) << "step " << step;
            // Put the old file back.
            RankEntry keep[RANK_ROWS];
            std::memcpy(keep, RankTable, sizeof keep);
            fillTable(6);
            saveRankFile();
            ASSERT_EQ(readFile("savedat/rank.txt"), oldFile);
            std::memcpy(RankTable, keep, sizeof keep);
        }
    }
}

TEST(RankFile, UnchangedTableIsNotWrittenAgain) {
    freshTable();
    saveRankFile();
    resetFileOps();
    for (int frame = 0; frame < 100; ++frame) saveRankFile();
    EXPECT_EQ(fileOpCount, 0);
    RankTable[4].cash = 7;  // row 5 is not in the file
    saveRankFile();
    EXPECT_EQ(fileOpCount, 0);
    RankTable[3].cash = 7;
    saveRankFile();
    EXPECT_GT(fileOpCount, 0);
    EXPECT_EQ(readFile("savedat/rank.txt"), tableBytes().substr(0, 1072));
}

TEST(RankFile, RandomFilesLoadSoundly) {
    freshTable();
    fs::create_directory("savedat");
    std::mt19937 random(4242);
    for (int iteration = 0; iteration < 3000; ++iteration) {
        std::string bytes(random() % 2200, '\0');
        for (char& c : bytes) c = static_cast<char>(random() % 3 == 0 ? 0 : random() & 0xFF);
        writeBytes("savedat/rank.txt", bytes);
        const std::string rowFive = rowBytes(4);
        loadRankFile();
        for (int row = 0; row < RANK_ROWS; ++row) {
            ASSERT_LT(strnlen(RankTable[row].name, 256), 256u) << iteration;
            if (bytes.size() >= 268u * (row + 1) && row < RANK_FILE_ROWS) {
                ASSERT_EQ(std::memcmp(&RankTable[row].assetClass, &bytes[268 * row + 256], 12), 0) << iteration;
            }
        }
        ASSERT_EQ(rowBytes(4), rowFive);
        if (bytes.size() >= 1072) {
            ASSERT_EQ(std::memcmp(RankTable[0].name, bytes.data(), 200), 0);
        }
    }
}

TEST(RankFile, StoredClassOutOfRangeDrawsNoIcon) {
    testing_support::freshStartedRun();
    fs::create_directory("savedat");
    // Row 1 holds class 9 and a total of 500,000: no rule covers it, so the
    // ranking screen keeps the class, orders the row last and draws no icon.
    std::string bytes(1072, '\0');
    const char* names[4] = {"odd", "wasuno", "kibeta", "yum"};
    const int32_t classes[4] = {9, 6, 6, 6};
    const int32_t cash[4] = {500000, 100, 100, 100};
    for (int row = 0; row < 4; ++row) {
        std::memcpy(&bytes[268 * row], names[row], std::strlen(names[row]));
        std::memcpy(&bytes[268 * row + 256], &classes[row], 4);
        std::memcpy(&bytes[268 * row + 264], &cash[row], 4);
    }
    writeBytes("savedat/rank.txt", bytes);
    loadRankFile();
    EXPECT_EQ(RankTable[0].assetClass, 9);

    loop.GameScene = SCENE_RANKING;
    testing_support::mouse(600, 300, false);
    testing_support::runTurns(6);
    EXPECT_STREQ(RankTable[4].name, "odd");
    EXPECT_EQ(RankTable[4].assetClass, 9);
    for (int c = 0; c < 7; ++c) {
        EXPECT_FALSE(testing_support::spriteShown(460, 140 + 70 * 4, classIconRects[c])) << c;
    }
    EXPECT_TRUE(testing_support::spriteShown(460, 140 + 70 * 3, classIconRects[6]));
    testing_support::saveScreen("rank_table_odd_class");
}

}  // namespace
