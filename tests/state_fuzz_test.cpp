// SPDX-License-Identifier: GPL-2.0-or-later
// Damaged save folders through the loader: random, truncated, oversized and
// hostile files, folders in place of files, stray marks and pending files.
// Run under AddressSanitizer and UndefinedBehaviorSanitizer.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "core/files.h"
#include "core/rng.h"
#include "program/program.h"
#include "state/field_checks.h"
#include "state/records.h"
#include "state/save_files.h"
#include "state/save_layout.h"
#include "support/test_platform.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

void writeBytes(const char* path, const std::string& bytes) {
    FILE* f = std::fopen(path, "wb");
    ASSERT_NE(f, nullptr) << path;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string randomBytes(std::mt19937& random, size_t length) {
    std::string bytes(length, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// A file of the right size full of one byte with extreme numbers scattered
// over it at int32 positions.
std::string hostileBytes(std::mt19937& random, size_t length) {
    const char fills[] = {'\xFF', '\x80', '\x7F', '\x81', '\0', '\x87'};
    std::string bytes(length, fills[random() % sizeof fills]);
    const int32_t extremes[] = {INT_MIN, INT_MAX, -1, 93, 92, 14, 30, 13, 0x7FFF0000};
    for (int i = 0; i < 40 && length >= 4; ++i) {
        size_t at = (random() % (length / 4)) * 4;
        int32_t v = extremes[random() % (sizeof extremes / sizeof extremes[0])];
        std::memcpy(&bytes[at], &v, 4);
    }
    return bytes;
}

void placeFile(std::mt19937& random, const char* path, size_t size, const std::string& valid) {
    switch (random() % 9) {
        case 0:
            break;  // missing
        case 1:
            writeBytes(path, randomBytes(random, random() % (2 * size + 1)));
            break;
        case 2:
            writeBytes(path, valid.substr(0, random() % (size + 1)));
            break;
        case 3:
            writeBytes(path, valid + randomBytes(random, 1 + random() % 5000));
            break;
        case 4:
            writeBytes(path, hostileBytes(random, size));
            break;
        case 5:
            fs::create_directory(path);
            break;
        case 6:
            writeBytes(path, "");
            break;
        case 7:
            // Must neither block nor be read (missing where there are no pipes).
            testing_support::makePipe(path);
            break;
        default:
            writeBytes(path, valid);
            break;
    }
}

void expectSoundRecords() {
    for (int slot = 0; slot < SLOTS; ++slot) {
        ASSERT_LT(strnlen(ListedCompanies[slot].name, 100), 100u);
        ASSERT_LT(strnlen(Holdings[slot].sharesText, 12), 12u);
        ASSERT_LT(strnlen(TradeRows[slot].name, 100), 100u);
        ASSERT_LT(strnlen(TradeRows[slot].sharesText, 52), 52u);
        ASSERT_GE(CatalogIndex[slot], 0);
        ASSERT_LE(CatalogIndex[slot], 92);
        ASSERT_GE(PriceHistory[slot].historyCount, 0);
        ASSERT_LE(PriceHistory[slot].historyCount, 13);
    }
    ASSERT_LT(strnlen(Player.playerName, 255), 255u);
    ASSERT_LT(strnlen(Player.goalYearsText, 10), 10u);
    ASSERT_LT(strnlen(Player.cashText, 103), 103u);
    ASSERT_LT(strnlen(PortfolioValue.stockValueText, 100), 100u);
    ASSERT_LT(strnlen(session.yearsLeftText, 32), 32u);
    ASSERT_GE(Calendar.month, 1);
    ASSERT_LE(Calendar.month, 12);
    ASSERT_GE(GraphState.graphSelected, 0);
    ASSERT_LE(GraphState.graphSelected, 29);
    for (int slot = 0; slot < SLOTS; ++slot) ASSERT_EQ(CompanyCatalog[CatalogIndex[slot]].listed, 1) << slot;
}

TEST(StateFuzz, DamagedSaveFoldersLoadSoundly) {
    testing_support::freshRun();
    seedRandom(99);
    newGameSetup();
    std::strcpy(Player.playerName, "player");
    Calendar = {2005, 6, 7, 8};
    saveGame();
    std::string valid[SAVE_FILE_COUNT];
    for (int file = 0; file < SAVE_FILE_COUNT; ++file)
        valid[file] = testing_support::readFile(saveFiles[file].path);

    std::mt19937 random(20240607);
    for (int iteration = 0; iteration < 4000; ++iteration) {
        std::error_code error;
        fs::remove_all("savedat", error);
        if (random() % 20 == 0) {
            // No folder at all, or a file in its place.
            if (random() % 2) writeBytes("savedat", "x");
        } else {
            fs::create_directory("savedat");
            for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
                placeFile(random, saveFiles[file].path, saveFiles[file].size, valid[file]);
            }
            // Leftovers of interrupted saves: pending files and the mark.
            if (random() % 3 == 0) {
                for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
                    if (random() % 2)
                        placeFile(random, saveFiles[file].pendingPath, saveFiles[file].size, valid[file]);
                }
                switch (random() % 3) {
                    case 0:
                        writeBytes(SAVE_COMMIT_PATH, "");
                        break;
                    case 1:
                        fs::create_directory(SAVE_COMMIT_PATH);
                        break;
                    default:
                        break;
                }
            }
        }
        // The records hold whatever an earlier load left, or junk.
        if (random() % 4 == 0) {
            for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
                for (int i = 0; i < saveFiles[file].blockCount; ++i) {
                    std::string junk = randomBytes(random, saveFiles[file].blocks[i].size);
                    std::memcpy(saveFiles[file].blocks[i].bytes, junk.data(), junk.size());
                }
            }
        }
        saveFileExists();
        const std::string before = testing_support::savedRecords();
        if (!loadGame()) {
            // A set that cannot be read whole is not loaded at all.
            ASSERT_EQ(testing_support::savedRecords(), before) << "iteration " << iteration;
            continue;
        }
        expectSoundRecords();
        if (HasFatalFailure()) {
            ADD_FAILURE() << "iteration " << iteration;
            return;
        }
        // Saving what was loaded gives a whole set that loads to the same.
        if (random() % 4 == 0) {
            uint8_t before[LARGEST_SAVE_FILE];
            gatherSaveFile(saveFiles[0], before);
            saveGame();
            struct stat info;
            if (stat("savedat", &info) == 0 && S_ISDIR(info.st_mode) && !nameExists(SAVE_COMMIT_PATH)) {
                for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
                    ASSERT_EQ(testing_support::readFile(saveFiles[file].path).size(), saveFiles[file].size)
                        << "iteration " << iteration;
                }
                loadGame();
                uint8_t after[LARGEST_SAVE_FILE];
                gatherSaveFile(saveFiles[0], after);
                ASSERT_EQ(std::memcmp(before, after, DATA_FILE_SIZE), 0) << "iteration " << iteration;
            }
        }
    }
}

TEST(StateFuzz, EveryLengthOfEveryFile) {
    testing_support::freshRun();
    seedRandom(5);
    newGameSetup();
    saveGame();
    std::string valid[SAVE_FILE_COUNT];
    for (int file = 0; file < SAVE_FILE_COUNT; ++file)
        valid[file] = testing_support::readFile(saveFiles[file].path);
    std::mt19937 random(7);
    for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
        const std::string hostile = hostileBytes(random, saveFiles[file].size);
        for (size_t length = 0; length <= saveFiles[file].size; length += 1 + length / 64) {
            writeBytes(saveFiles[file].path, hostile.substr(0, length));
            loadGame();
            expectSoundRecords();
            if (HasFatalFailure()) {
                ADD_FAILURE() << saveFiles[file].path << " length " << length;
                return;
            }
        }
        writeBytes(saveFiles[file].path, valid[file]);
    }
}

}  // namespace
