// SPDX-License-Identifier: GPL-2.0-or-later
// The title menu: pacing, the start area and its panel, new game, continue,
// the overlap of "つづきから" with the start area, and the ranking area.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/devices.h"
#include "core/scenes.h"
#include "frontend/front_state.h"
#include "frontend/rank_table.h"
#include "market/market_state.h"
#include "platform/headless/headless.h"
#include "state/records.h"
#include "state/save_files.h"
#include "support/test_support.h"

using namespace testing_support;

namespace {

void enterTitle() {
    freshStartedRun();
    loop.GameScene = SCENE_TITLE_LOAD;
    runTurns(1);
    headless::clearMusicLog();
}

// Leaves a saved game behind with a recognisable name.
void writeSavedGame() {
    newGameSetup();
    std::snprintf(Player.playerName, sizeof Player.playerName, "%s", "saved");
    Player.cash = 77;
    Calendar.year = 2010;
    saveGame();
    std::memset(Player.playerName, 0, sizeof Player.playerName);
    Player.cash = 0;
    Calendar.year = 0;
}

void expectSwitchTo(const char* openCommand) {
    ASSERT_EQ(headless::musicCommandCount(), 3);
    EXPECT_STREQ(headless::musicCommand(0), "Close WAV01");
    EXPECT_STREQ(headless::musicCommand(1), openCommand);
    EXPECT_STREQ(headless::musicCommand(2), "Play WAV01 from 0 notify");
}

void openPanel() {
    click(300, 300);
    ASSERT_EQ(front.titleMenuOpen, 1);
    ASSERT_EQ(front.titleStartLatch, 0);
}

}  // namespace

TEST(FrontTitle, LoadMakesTheTitleSurfaceAndDrawsNothing) {
    freshStartedRun();
    loop.GameScene = SCENE_TITLE_LOAD;
    const int presents = headless::presentCount();
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_MENU);
    EXPECT_TRUE(devices.titleSurface.held);
    EXPECT_EQ(headless::presentCount(), presents);
    // A second visit (back from the ranking) keeps one surface with the picture.
    const uint8_t corner = devices.titleSurface.pixels[0];
    loop.GameScene = SCENE_TITLE_LOAD;
    runTurns(1);
    EXPECT_TRUE(devices.titleSurface.held);
    EXPECT_EQ(devices.titleSurface.pixels[0], corner);
}

TEST(FrontTitle, DrawsAtMostOneFramePer33Milliseconds) {
    enterTitle();
    const int presents = headless::presentCount();
    runTurns(1, 40);
    EXPECT_EQ(headless::presentCount(), presents + 1);
    runTurns(3, 10);  // 30 ms: too early
    EXPECT_EQ(headless::presentCount(), presents + 1);
    runTurns(1, 10);  // 40 ms
    EXPECT_EQ(headless::presentCount(), presents + 2);
    // An early turn reads no input either.
    mouse(300, 300, true);
    runTurns(1, 1);
    EXPECT_EQ(front.titleMenuOpen, 0);
    runTurns(1, 40);
    EXPECT_EQ(front.titleMenuOpen, 1);
}

TEST(FrontTitle, StartAreaOpensTheGrowingPanel) {
    enterTitle();
    runTurns(1);
    saveScreen("front_title");
    EXPECT_EQ(front.titleMenuOpen, 0);
    mouse(255, 285, true);  // top left corner of the area
    runTurns(1);
    EXPECT_EQ(front.titleMenuOpen, 1);
    EXPECT_EQ(front.titleStartLatch, 1);
    EXPECT_EQ(market.messagePanel[0], 270);
    EXPECT_EQ(market.messagePanel[3], 330);
    mouse(402, 323, false);
    runTurns(10);
    EXPECT_EQ(front.titleStartLatch, 0);
    EXPECT_EQ(market.messagePanel[0], 100);
    EXPECT_EQ(market.messagePanel[1], 200);
    EXPECT_EQ(market.messagePanel[2], 500);
    EXPECT_EQ(market.messagePanel[3], 400);
    mouse(600, 50, false);
    runTurns(1);
    saveScreen("front_title_panel");
    // The panel is black with the two texts in white.
    const uint8_t white = nearestPaletteIndex(255, 255, 255);
    const uint8_t black = nearestPaletteIndex(0, 0, 0);
    int whiteInTexts = 0;
    for (int y = 260; y < 305; ++y)
        for (int x = 170; x < 420; ++x) whiteInTexts += presentedPixel(x, y) == white;
    EXPECT_GT(whiteInTexts, 100);
    EXPECT_EQ(presentedPixel(450, 350), black);
}

TEST(FrontTitle, PressInTheOverlapNeverContinues) {
    enterTitle();
    writeSavedGame();
    // The press that opens the panel is held over the overlap.
    mouse(260, 300, true);
    runTurns(5);
    EXPECT_EQ(front.titleMenuOpen, 1);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_MENU);
    // Released there, pressed again there: the start area takes it first.
    mouse(260, 300, false);
    runTurns(1);
    mouse(260, 300, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_MENU);
    mouse(280, 310, false);
    runTurns(1);
    mouse(280, 310, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_MENU);
    EXPECT_EQ(session.loadSaved, 0);
    EXPECT_EQ(headless::musicCommandCount(), 0);
    EXPECT_TRUE(devices.titleSurface.held);
    // Left of the start area the entry continues the game, but only once the
    // start area's latch has been cleared by a release over that area.
    mouse(254, 300, false);
    runTurns(1);
    mouse(254, 300, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_MENU);
    mouse(300, 300, false);
    runTurns(1);
    mouse(254, 300, false);
    runTurns(1);
    mouse(254, 300, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
}

TEST(FrontTitle, ContinueLoadsTheSavedGameAndSwitchesToTheGameMusic) {
    enterTitle();
    writeSavedGame();
    openPanel();
    for (int& edge : market.messagePanel) edge = 150;
    mouse(200, 300, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    EXPECT_EQ(session.loadSaved, 1);
    EXPECT_EQ(front.titleMenuOpen, 0);
    EXPECT_FALSE(devices.titleSurface.held);
    EXPECT_STREQ(Player.playerName, "saved");
    EXPECT_EQ(Player.cash, 77);
    EXPECT_EQ(Calendar.year, 2010);
    for (int edge : market.messagePanel) EXPECT_EQ(edge, 300);
    expectSwitchTo("Open data/main.mid Alias WAV01");
}

TEST(FrontTitle, WithoutDataTxtContinueDoesNothingButNewGameWorks) {
    enterTitle();
    ASSERT_FALSE(std::filesystem::exists("savedat/data.txt"));
    openPanel();
    click(180, 290);
    click(230, 300);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_MENU);
    EXPECT_EQ(front.titleContinueLatch, 0);
    EXPECT_EQ(headless::musicCommandCount(), 0);

    Holdings[4].shares = 30;
    Player.cash = 5;
    Calendar.year = 2020;
    Calendar.month = 7;
    Calendar.day = 9;
    session.loadSaved = 1;
    click(520, 280);  // bottom right corner of "はじめから(以前のデータが消えます)"
    EXPECT_EQ(loop.GameScene, SCENE_NAME_ENTRY);
    EXPECT_FALSE(devices.titleSurface.held);
    EXPECT_EQ(front.titleMenuOpen, 0);
    EXPECT_EQ(session.loadSaved, 0);
    EXPECT_EQ(Player.cash, 200);
    EXPECT_STREQ(Player.cashText, "2000000円");
    EXPECT_EQ(Calendar.year, 2003);
    EXPECT_EQ(Calendar.month, 1);
    EXPECT_EQ(Calendar.day, 1);
    for (int i = 0; i < SLOTS; ++i) {
        EXPECT_EQ(Holdings[i].shares, 0);
        const int shown = std::atoi(session.priceText[i]);
        EXPECT_GE(shown, 1);
        EXPECT_LE(shown, 1000);
    }
    for (int edge : market.messagePanel) EXPECT_EQ(edge, 300);
    expectSwitchTo("Open data/edit.mid Alias WAV01");
    // The saved game is not written here.
    EXPECT_FALSE(std::filesystem::exists("savedat/data.txt"));
}

TEST(FrontTitle, NewGameTakesOnePressAndIgnoresItUntilOpen) {
    enterTitle();
    click(300, 270);  // panel closed: nothing
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_MENU);
    openPanel();
    // Held over the entry on the frame it opens the game; later frames of the
    // same press do nothing more.
    mouse(300, 270, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_NAME_ENTRY);
    loop.GameScene = SCENE_TITLE_MENU;
    front.titleMenuOpen = 1;
    headless::clearMusicLog();
    runTurns(3);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_MENU);
    EXPECT_EQ(headless::musicCommandCount(), 0);
}

TEST(FrontTitle, RankingAreaWorksWithThePanelClosedOrOpen) {
    enterTitle();
    std::filesystem::create_directory("savedat");
    {
        RankEntry rows[RANK_FILE_ROWS] = {};
        std::snprintf(rows[0].name, sizeof rows[0].name, "%s", "topplayer");
        rows[0].cash = 12345;
        std::ofstream out("savedat/rank.txt", std::ios::binary);
        out.write(reinterpret_cast<const char*>(rows), sizeof rows);
    }
    mouse(220, 350, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_RANKING);
    EXPECT_EQ(front.titleRankingLatch, 1);
    EXPECT_STREQ(RankTable[0].name, "topplayer");
    EXPECT_EQ(RankTable[0].cash, 12345);
    EXPECT_TRUE(devices.titleSurface.held);  // kept: the next title load replaces it
    EXPECT_EQ(headless::musicCommandCount(), 0);

    // Back to the title, the panel opened, then the ranking again.
    mouse(431, 396, false);
    loop.GameScene = SCENE_TITLE_LOAD;
    runTurns(2);
    EXPECT_EQ(front.titleRankingLatch, 0);
    openPanel();
    click(431, 396);
    EXPECT_EQ(loop.GameScene, SCENE_RANKING);
    // The panel stays open for the return.
    loop.GameScene = SCENE_TITLE_LOAD;
    mouse(600, 50, false);
    runTurns(2);
    EXPECT_EQ(front.titleMenuOpen, 1);
    EXPECT_TRUE(devices.titleSurface.held);
}

TEST(FrontTitle, CursorSpriteIsDrawnAtTheCursor) {
    enterTitle();
    mouse(600, 50, false);
    runTurns(1);
    for (int y = 0; y < 26; ++y) {
        for (int x = 9; x < 26; ++x) {
            const uint8_t src = devices.spriteSheet.pixels[y * devices.spriteSheet.pitch + x];
            if (src == COLOR_KEY) continue;
            ASSERT_EQ(presentedPixel(600 + x - 9, 50 + y), src);
        }
    }
}
