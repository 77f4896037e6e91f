// SPDX-License-Identifier: GPL-2.0-or-later
// Saves cut off at every step (a crash or power cut) leave one whole save.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <thread>

#include "core/files.h"
#include "core/main_loop.h"
#include "core/rng.h"
#include "program/program.h"
#include "state/field_checks.h"
#include "state/records.h"
#include "state/save_files.h"
#include "state/save_layout.h"
#include "state/save_writer.h"
#include "support/test_platform.h"
#include "support/test_support.h"

namespace {

using testing_support::savedRecords;

using testing_support::readFile;

// A game state told apart from others by its seed; every value survives a load.
void makeGame(uint32_t seed) {
    resetGameRecords();
    seedRandom(seed);
    newGameSetup();
    std::snprintf(Player.playerName, sizeof Player.playerName, "game%u", seed);
    Player.cash = static_cast<int32_t>(seed * 1000);
    Calendar = {2003 + static_cast<int32_t>(seed), 1 + static_cast<int32_t>(seed % 12), 1, 10};
    for (int slot = 0; slot < SLOTS; ++slot) {
        Holdings[slot].shares = static_cast<int32_t>(seed) * slot;
        PriceHistory[slot].history[0] = static_cast<int32_t>(seed);
        PriceHistory[slot].historyCount = 1;
        TradeRows[slot].sellOrder = static_cast<int32_t>(seed) + slot;
    }
    GraphState.graphSelected = static_cast<int32_t>(seed % 30);
}

// The number of file operations of one whole save over an existing one.
int32_t operationsOfOneSave() {
    makeGame(1);
    saveGame();
    makeGame(2);
    resetFileOps();
    saveGame();
    int32_t count = fileOpCount;
    resetFileOps();
    return count;
}

// What a fresh run loads from the folder now.
std::string loadedNow() {
    resetGameRecords();
    loadGame();
    return savedRecords();
}

void expectNoLeftovers() {
    EXPECT_FALSE(nameExists("savedat/save.commit"));
    for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
        EXPECT_FALSE(nameExists(saveFiles[file].pendingPath)) << saveFiles[file].pendingPath;
        struct stat info;
        ASSERT_EQ(stat(saveFiles[file].path, &info), 0);
        EXPECT_EQ(static_cast<size_t>(info.st_size), saveFiles[file].size) << saveFiles[file].path;
    }
}

TEST(StateCrash, CutAtEveryStepLoadsOneWholeSave) {
    testing_support::freshRun();
    const int32_t operations = operationsOfOneSave();
    ASSERT_GE(operations, 30);
    makeGame(11);
    const std::string oldSave = savedRecords();
    makeGame(12);
    const std::string newSave = savedRecords();
    ASSERT_NE(oldSave, newSave);

    bool sawOld = false;
    bool sawNew = false;
    for (int32_t cut = 1; cut <= operations + 1; ++cut) {
        makeGame(11);
        saveGame();
        makeGame(12);
        resetFileOps();
        fileOpStopAt = cut;
        saveGame();  // the power goes at operation `cut`
        resetFileOps();
        const std::string loaded = loadedNow();
        const bool isOld = loaded == oldSave;
        const bool isNew = loaded == newSave;
        ASSERT_TRUE(isOld || isNew) << "cut at operation " << cut;
        sawOld = sawOld || isOld;
        sawNew = sawNew || isNew;
        if (cut > operations) {
            EXPECT_TRUE(isNew);
        }
        expectNoLeftovers();
        // The next save after the crash works as usual.
        makeGame(13);
        const std::string later = savedRecords();
        saveGame();
        ASSERT_EQ(loadedNow(), later) << "cut at operation " << cut;
    }
    EXPECT_TRUE(sawOld);
    EXPECT_TRUE(sawNew);
}

TEST(StateCrash, CutWhileFinishingACutSave) {
    testing_support::freshRun();
    const int32_t operations = operationsOfOneSave();
    makeGame(21);
    const std::string oldSave = savedRecords();
    makeGame(22);
    const std::string newSave = savedRecords();
    for (int32_t cut = 1; cut <= operations; ++cut) {
        for (int32_t secondCut = 1; secondCut <= 10; ++secondCut) {
            makeGame(21);
            saveGame();
            makeGame(22);
            resetFileOps();
            fileOpStopAt = cut;
            saveGame();
            // The power comes back and goes again while the title looks for
            // the save, which finishes or discards the cut one.
            resetFileOps();
            fileOpStopAt = secondCut;
            saveFileExists();
            resetFileOps();
            const std::string loaded = loadedNow();
            ASSERT_TRUE(loaded == oldSave || loaded == newSave) << "cuts " << cut << ", " << secondCut;
            expectNoLeftovers();
        }
    }
}

TEST(StateCrash, TitleSeesTheSaveOnlyWhenWhole) {
    testing_support::freshRun();
    const int32_t operations = operationsOfOneSave();
    // The very first save of a folder, cut at every step: either no save at
    // all or the whole new one.
    makeGame(31);
    const std::string firstSave = savedRecords();
    for (int32_t cut = 1; cut <= operations; ++cut) {
        testing_support::freshRun();
        makeGame(31);
        resetFileOps();
        fileOpStopAt = cut;
        saveGame();
        resetFileOps();
        if (saveFileExists()) {
            ASSERT_EQ(loadedNow(), firstSave) << "cut " << cut;
            expectNoLeftovers();
        } else {
            for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
                EXPECT_FALSE(nameExists(saveFiles[file].path)) << "cut " << cut;
                EXPECT_FALSE(nameExists(saveFiles[file].pendingPath)) << "cut " << cut;
            }
        }
    }
}

TEST(StateCrash, TornPendingFilesWithoutMarkAreDiscarded) {
    testing_support::freshRun();
    makeGame(41);
    saveGame();
    const std::string kept = savedRecords();
    // Half-written pending files from a save that never committed.
    for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
        FILE* f = std::fopen(saveFiles[file].pendingPath, "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("torn", f);
        std::fclose(f);
    }
    EXPECT_TRUE(saveFileExists());
    for (int file = 0; file < SAVE_FILE_COUNT; ++file) EXPECT_FALSE(nameExists(saveFiles[file].pendingPath));
    EXPECT_EQ(loadedNow(), kept);
}

// The writer thread killed at any moment: the next run loads one whole set.
TEST(StateCrash, KillDuringBackgroundSavesLeavesOneWholeSet) {
    testing_support::freshRun();
    makeGame(51);
    const std::string first = savedRecords();
    saveGame();
    makeGame(52);
    const std::string second = savedRecords();
    const std::string secondData = second.substr(0, DATA_FILE_SIZE);
    for (int round = 0; round < 12; ++round) {
        testing_support::ChildProcess child = testing_support::startChild("saver", [] {
            setBackgroundSaving(true);
            for (uint32_t i = 1;; ++i) {
                makeGame(51 + i % 2);
                requestSave();
            }
        });
        ASSERT_GE(child.id, 0);
        // Once the writer has put a set in place, the kill comes at some
        // moment of the sets after it.
        for (int wait = 0; wait < 5000 && readFile("savedat/data.txt") != secondData; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(round * 700));
        testing_support::killChild(child);
        const std::string loaded = loadedNow();
        ASSERT_TRUE(loaded == first || loaded == second) << "round " << round;
        expectNoLeftovers();
        makeGame(51);  // the next round starts from the first game again
        saveGame();
    }
}

// Escape while a set is still being written: the shutdown ends only once the
// last set requested is on disk.
TEST(StateCrash, ShutdownWaitsForTheLastBackgroundSave) {
    testing_support::freshRun();
    setBackgroundSaving(true);
    makeGame(61);
    requestSave();
    makeGame(62);
    const std::string last = savedRecords();
    const uint32_t ticket = requestSave();
    shutdown();
    EXPECT_EQ(saveOutcome(ticket), SaveOutcome::Saved);
    setBackgroundSaving(false);
    EXPECT_EQ(loadedNow(), last);
    expectNoLeftovers();
}

}  // namespace
