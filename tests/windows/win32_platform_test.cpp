// SPDX-License-Identifier: GPL-2.0-or-later
// The Windows side of the platform: where the game's names lie under the
// data and save roots, saves under a root not made yet, the music commands
// handed to the sequencer, and silence without a MIDI output.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <filesystem>
#include <string>

#include "core/files.h"
#include "frontend/rank_table.h"
#include "platform/win32/win32_music.h"
#include "platform/win32/win32_paths.h"
#include "state/save_files.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

std::wstring resolved(const char* path) {
    wchar_t out[WIDE_PATH_MAX];
    return gamePathToWide(path, out, WIDE_PATH_MAX) ? std::wstring(out) : std::wstring(L"(none)");
}

TEST(Win32Files, GameNamesLieUnderTheirRoots) {
    setGameRoots(L"C:\\Games\\Kabusim\\data", L"C:\\Users\\u\\AppData\\Local\\kabusim");
    EXPECT_EQ(resolved("data/char.BMP"), L"C:\\Games\\Kabusim\\data\\char.BMP");
    EXPECT_EQ(resolved("savedat"), L"C:\\Users\\u\\AppData\\Local\\kabusim\\savedat");
    EXPECT_EQ(resolved("savedat/rank.txt.new"), L"C:\\Users\\u\\AppData\\Local\\kabusim\\savedat\\rank.txt.new");
    // Only the two folders: any other name stays in the working folder.
    EXPECT_EQ(resolved("savedat2/x"), L"savedat2\\x");
    EXPECT_EQ(resolved("database"), L"database");
    setGameRoots(nullptr, nullptr);
    EXPECT_EQ(resolved("data/char.BMP"), L"data\\char.BMP");
    EXPECT_EQ(resolved("savedat/data.txt"), L"savedat\\data.txt");
}

// An installed game's first save makes its folder under the user's local
// application data, and nothing goes to the working folder.
TEST(Win32Files, SavesGoUnderASaveRootMadeOnTheWay) {
    const std::string folder = testing_support::freshRun();
    const fs::path root = fs::path(folder) / "local" / "kabusim";
    fs::create_directory(fs::path(folder) / "local");
    setGameRoots(nullptr, root.wstring().c_str());
    EXPECT_TRUE(saveGame());
    EXPECT_TRUE(saveFileExists());
    RankTable[0].cash = 4321;
    saveRankFile();
    setGameRoots(nullptr, nullptr);
    EXPECT_EQ(fs::file_size(root / "savedat" / "data.txt"), 3120u);
    EXPECT_EQ(fs::file_size(root / "savedat" / "rank.txt"), 1072u);
    EXPECT_FALSE(fs::exists("savedat"));
}

TEST(Win32Music, GameCommandsBecomeSequencerCommands) {
    wchar_t data[WIDE_PATH_MAX];
    GetFullPathNameW(L"data", WIDE_PATH_MAX, data, nullptr);
    const std::wstring expectedOpen = L"open \"" + std::wstring(data) + L"\\main.mid\" type sequencer alias WAV01";
    wchar_t command[WIDE_PATH_MAX + 64];
    ASSERT_TRUE(mciCommandFor("Open data/main.mid Alias WAV01", command, WIDE_PATH_MAX + 64));
    EXPECT_EQ(std::wstring(command), expectedOpen);
    setGameRoots(L"C:\\Games\\Kabusim\\data", nullptr);
    ASSERT_TRUE(mciCommandFor("Open data/2ofus.MID Alias WAV01", command, WIDE_PATH_MAX + 64));
    EXPECT_STREQ(command, L"open \"C:\\Games\\Kabusim\\data\\2ofus.MID\" type sequencer alias WAV01");
    setGameRoots(nullptr, nullptr);
    ASSERT_TRUE(mciCommandFor("Play WAV01 from 0 notify", command, WIDE_PATH_MAX + 64));
    EXPECT_STREQ(command, L"play WAV01 from 0 notify");
    ASSERT_TRUE(mciCommandFor("Close WAV01", command, WIDE_PATH_MAX + 64));
    EXPECT_STREQ(command, L"close WAV01");
    EXPECT_FALSE(mciCommandFor("Stop WAV01", command, WIDE_PATH_MAX + 64));
    EXPECT_FALSE(mciCommandFor("Open data/main.mid", command, WIDE_PATH_MAX + 64));
    // A piece that ended by itself is played again; a replaced, closed or
    // failed one is not.
    EXPECT_EQ(musicDoneCode(1), 1);  // MCI_NOTIFY_SUCCESSFUL
    EXPECT_EQ(musicDoneCode(2), 2);  // MCI_NOTIFY_SUPERSEDED
    EXPECT_EQ(musicDoneCode(4), 2);  // MCI_NOTIFY_ABORTED
    EXPECT_EQ(musicDoneCode(8), 2);  // MCI_NOTIFY_FAILURE
}

TEST(Win32Music, WithoutAMidiOutputNothingIsSent) {
    openMusic(nullptr);
    if (musicAvailable()) GTEST_SKIP() << "this system has a MIDI output";
    musicCommand("Open data/title.mid Alias WAV01");
    musicCommand("Play WAV01 from 0 notify");
    musicCommand("Close WAV01");
    EXPECT_EQ(mciCommandsSent(), 0);
    closeMusic();
}

}  // namespace
