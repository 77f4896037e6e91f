// SPDX-License-Identifier: GPL-2.0-or-later
// What lies at the names the save and the ranking use: links are never
// followed, strays never block saving for good, an unreadable ranking file is
// never replaced, a save that did not reach the disk never shows its message,
// and a load never mixes two sets.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/files.h"
#include "core/rng.h"
#include "core/scenes.h"
#include "frontend/front_state.h"
#include "frontend/rank_table.h"
#include "frontend/ranking_screen.h"
#include "market/market.h"
#include "market/market_state.h"
#include "platform/backend.h"
#include "program/program.h"
#include "state/field_checks.h"
#include "state/records.h"
#include "state/save_files.h"
#include "state/save_layout.h"
#include "support/test_platform.h"
#include "support/test_support.h"

namespace {

using testing_support::savedRecords;

namespace fs = std::filesystem;
using testing_support::readFile;

void writeBytes(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

void makeGame(uint32_t seed) {
    resetGameRecords();
    seedRandom(seed);
    newGameSetup();
    std::snprintf(Player.playerName, sizeof Player.playerName, "game%u", seed);
    Player.cash = static_cast<int32_t>(seed);
    Calendar = {2003, 1, 1, 5};
}

std::string loadedNow() {
    resetGameRecords();
    loadGame();
    return savedRecords();
}

// Every name the save set and the ranking write under.
std::vector<std::string> writtenNames() {
    std::vector<std::string> names = {SAVE_COMMIT_PATH, "savedat/rank.txt.new"};
    for (const SaveFileLayout& layout : saveFiles) {
        names.push_back(layout.path);
        names.push_back(layout.pendingPath);
    }
    return names;
}

TEST(FileSafety, LinksAtOurNamesAreNeverWrittenThrough) {
    for (const std::string& name : writtenNames()) {
        const std::string folder = testing_support::freshRun();
        fs::create_directory("savedat");
        writeBytes("outside.txt", "keep me");
        std::string why;
        if (!testing_support::makeSymlink(folder + "/outside.txt", name, why)) GTEST_SKIP() << why;
        makeGame(3);
        const std::string game = savedRecords();
        EXPECT_TRUE(saveGame()) << name;
        RankTable[0].cash = 12345;
        saveRankFile();
        EXPECT_EQ(readFile("outside.txt"), "keep me") << name;
        EXPECT_TRUE(loadedNow() == game) << name;
        EXPECT_EQ(readFile("savedat/rank.txt").size(), 1072u) << name;
        for (const SaveFileLayout& layout : saveFiles) EXPECT_TRUE((nameKind(layout.path) == NameKind::File)) << name;
    }
}

TEST(FileSafety, StrayFilesAndFoldersNeverBlockSaving) {
    for (const std::string& name : writtenNames()) {
        for (int kind = 0; kind < 3; ++kind) {
            testing_support::freshRun();
            fs::create_directory("savedat");
            if (kind == 0) writeBytes(name, "stray");
            if (kind >= 1) fs::create_directory(name);
            if (kind == 2) writeBytes(name + "/inside", "stray");
            makeGame(4);
            const std::string game = savedRecords();
            EXPECT_TRUE(saveGame()) << name << " kind " << kind;
            EXPECT_TRUE(saveFileExists()) << name << " kind " << kind;
            EXPECT_TRUE(loadedNow() == game) << name << " kind " << kind;
            RankTable[0].cash = 777;
            saveRankFile();
            EXPECT_EQ(readFile("savedat/rank.txt").size(), 1072u) << name << " kind " << kind;
            EXPECT_FALSE(nameExists(SAVE_COMMIT_PATH)) << name << " kind " << kind;
        }
    }
}

// A set's name the system will not replace nor remove (Wine's Unix link to a
// folder): every save lands whole, and one cut at any step leaves it or the last.
namespace refusing {
const char* name = nullptr;
FileSteps steps;
bool rename(const char* from, const char* to) { return std::strcmp(to, name) != 0 && steps.rename(from, to); }
bool remove(const char* path) { return std::strcmp(path, name) != 0 && steps.remove(path); }
}  // namespace refusing

TEST(FileSafety, ANameThatRefusesNeverStopsSaving) {
    for (const SaveFileLayout& refused : saveFiles) {
        testing_support::freshRun();
        static Backend refusingBackend;
        refusingBackend = backend();
        refusing::name = refused.path;
        refusing::steps = refusingBackend.files;
        refusingBackend.files.rename = refusing::rename;
        refusingBackend.files.remove = refusing::remove;
        setBackend(&refusingBackend);
        saveGame();  // the first set waits under the refused file's pending name
        resetFileOps();
        saveGame();
        const int32_t operations = fileOpCount;
        for (int32_t cut = 1; cut <= operations + 1; ++cut) {
            makeGame(30 + cut % 2);
            const std::string before = savedRecords();
            ASSERT_TRUE(saveGame()) << refused.path;
            ASSERT_EQ(loadedNow(), before) << refused.path;
            makeGame(31 - cut % 2);
            const std::string after = savedRecords();
            resetFileOps();
            fileOpStopAt = cut;  // past the last step: no cut
            saveGame();
            resetFileOps();
            const std::string loaded = loadedNow();
            ASSERT_TRUE(loaded == after || (cut <= operations && loaded == before)) << refused.path << cut;
        }
        EXPECT_FALSE(nameExists(refused.path));
    }
}

// The ranking screen as a finished game meets it: the stored file is read,
// the result entered and the table written on every frame.
void playRankingScreen() {
    Player.cash = 5000;
    ending.rankEntryPending = 1;
    loop.GameScene = SCENE_RANKING;
    testing_support::runTurns(5);
    loadRankFile();
    saveRankFile();
}

// A ranking file that is there but cannot be read stays exactly as it is.
void expectRankFileKept(const char* what, const std::string& before, NameKind kind) {
    ASSERT_EQ(nameKind("savedat/rank.txt"), kind) << what;
    if (kind == NameKind::File) {
        EXPECT_TRUE(testing_support::stillUnreadable("savedat/rank.txt")) << what;
        testing_support::makeReadable("savedat/rank.txt");
        EXPECT_EQ(readFile("savedat/rank.txt"), before) << what;
    }
}

TEST(FileSafety, UnreadableRankingFileIsLeftInPlace) {
    // A folder and a dangling link at the name.
    testing_support::freshStartedRun();
    fs::create_directories("savedat/rank.txt/inside");
    playRankingScreen();
    expectRankFileKept("folder", "", NameKind::Folder);
    EXPECT_TRUE(nameKind("savedat/rank.txt/inside") == NameKind::Folder);
    EXPECT_EQ(ending.rankEntryMade, 1);  // the screen shows the entry it made

    // A file that cannot be read, seen by a user who cannot read it.
    const std::string folder = testing_support::freshStartedRun();
    fs::create_directory("savedat");
    std::string stored(1072, 'r');
    stored[0] = 'x';
    stored[1] = '\0';
    writeBytes("savedat/rank.txt", stored);
    testing_support::makeUnreadable("savedat/rank.txt");
    const int code = testing_support::runWhereUnreadable(folder, [] {
        playRankingScreen();
        return std::strncmp(RankTable[0].name, "x", 2) == 0 ? 3 : 0;
    });
    if (code == 2) GTEST_SKIP() << "no ordinary user to run as";
    EXPECT_EQ(code, 0);
    expectRankFileKept("unreadable", stored, NameKind::File);

    // A dangling link at the name.
    testing_support::freshStartedRun();
    fs::create_directory("savedat");
    std::string why;
    if (!testing_support::makeSymlink("/nonexistent/rank.txt", "savedat/rank.txt", why)) GTEST_SKIP() << why;
    playRankingScreen();
    EXPECT_TRUE(testing_support::isSymlinkTo("savedat/rank.txt", "/nonexistent/rank.txt"));
}

// A set with one file that cannot be read: the title does not offer it, a
// press on "continue" stays on the menu, and no file of it changes, until a
// new game's first save replaces the set.
TEST(FileSafety, UnreadableSaveSetIsNeverPlayedFromNorWrittenOver) {
    for (int unreadable = 0; unreadable < SAVE_FILE_COUNT; ++unreadable) {
        const std::string folder = testing_support::freshStartedRun();
        makeGame(10);
        Holdings[3].shares = 40000;
        ASSERT_TRUE(saveGame());
        std::string stored[SAVE_FILE_COUNT];
        for (int file = 0; file < SAVE_FILE_COUNT; ++file) stored[file] = readFile(saveFiles[file].path);
        const char* path = saveFiles[unreadable].path;
        testing_support::makeUnreadable(path);
        const int code = testing_support::runWhereUnreadable(folder, [] {
            resetGameRecords();
            if (saveFileExists()) return 3;
            loop.GameScene = SCENE_TITLE_MENU;
            continueSavedGame();
            if (loop.GameScene != SCENE_TITLE_MENU || Holdings[3].shares != 0) return 4;
            return 0;
        });
        if (code == 2) GTEST_SKIP() << "no ordinary user to run as";
        EXPECT_EQ(code, 0) << path;
        EXPECT_TRUE(testing_support::stillUnreadable(path)) << path;
        testing_support::makeReadable(path);
        for (int file = 0; file < SAVE_FILE_COUNT; ++file) EXPECT_EQ(readFile(saveFiles[file].path), stored[file]);
        // A game started anew replaces the set at its first save (on
        // Windows once the program holding the file has let it go).
        if (testing_support::unreadableCanBeReplaced()) testing_support::makeUnreadable(path);
        makeGame(11);
        const std::string fresh = savedRecords();
        EXPECT_TRUE(saveGame()) << path;
        EXPECT_EQ(loadedNow(), fresh) << path;
    }
}

// The save button over a save cut at every step: the message only when the
// new set is the one a load gives.
TEST(FileSafety, SaveMessageOnlyForASaveOnDisk) {
    testing_support::freshStartedRun();
    makeGame(5);
    saveGame();
    const std::string oldSave = savedRecords();
    for (int32_t step = 1; step <= 45; ++step) {
        for (int32_t once = 0; once <= 1; ++once) {
            makeGame(6);
            const std::string newSave = savedRecords();
            loop.GameScene = SCENE_MARKET;
            market.marketTransition = 0;
            market.saveShowing = 0;
            market.saveButtonLatch = 0;
            market.saveLatch = 1;  // the message stays up past the pressing frame
            market.stepTicks = 0;  // no price step saves in between
            resetFileOps();
            fileOpStopAt = step;
            fileOpFailOnce = once;
            testing_support::mouse(580, 215, true);
            testing_support::runTurns(1);
            testing_support::mouse(580, 215, false);
            resetFileOps();
            const bool shown = market.saveShowing == 1;
            const std::string loaded = loadedNow();
            ASSERT_TRUE(loaded == oldSave || loaded == newSave) << "step " << step << " once " << once;
            EXPECT_EQ(shown, loaded == newSave) << "step " << step << " once " << once;
            makeGame(5);
            ASSERT_TRUE(saveGame());
        }
    }
    // No folder can be made (a file in its place): no message.
    testing_support::freshStartedRun();
    writeBytes("savedat", "a file");
    makeGame(7);
    loop.GameScene = SCENE_MARKET;
    testing_support::mouse(580, 215, true);
    testing_support::runTurns(1);
    EXPECT_EQ(market.saveShowing, 0);
    EXPECT_EQ(readFile("savedat"), "a file");
}

// A committed save cut off part way through putting its files in place, in a
// folder where nothing can be changed: the load gives the whole new set.
TEST(FileSafety, LoadNeverMixesTwoSets) {
    testing_support::freshRun();
    makeGame(8);
    saveGame();
    const std::string oldSave = savedRecords();
    makeGame(9);
    const std::string newSave = savedRecords();
    resetFileOps();
    saveGame();
    const int32_t operations = fileOpCount;
    int32_t mixedCuts = 0;
    for (int32_t cut = 1; cut <= operations; ++cut) {
        makeGame(8);
        saveGame();
        makeGame(9);
        resetFileOps();
        fileOpStopAt = cut;
        const bool saved = saveGame();
        const bool committed = (nameKind(SAVE_COMMIT_PATH) == NameKind::File);
        // The folder stays read-only: nothing can be finished or discarded.
        int renamed = 0;
        for (const SaveFileLayout& layout : saveFiles) renamed += committed && !nameExists(layout.pendingPath);
        if (renamed > 0 && renamed < SAVE_FILE_COUNT) ++mixedCuts;
        resetGameRecords();
        fileOpStopAt = 1;
        const bool offered = saveFileExists();
        loadGame();
        const std::string loaded = savedRecords();
        EXPECT_EQ((nameKind(SAVE_COMMIT_PATH) == NameKind::File), committed) << "cut " << cut;
        resetFileOps();
        EXPECT_TRUE(offered) << "cut " << cut;
        EXPECT_TRUE(loaded == (saved ? newSave : oldSave)) << "cut " << cut;
    }
    EXPECT_GT(mixedCuts, 0);  // some cuts left part of the set in place
}

}  // namespace
