// SPDX-License-Identifier: GPL-2.0-or-later
// The road through the front end with the real market: opening, title, new
// game, name entry, market, save, graph, then a second run that watches the
// opening, looks at the ranking and continues the saved game.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/devices.h"
#include "core/main_loop.h"
#include "core/scenes.h"
#include "frontend/front_state.h"
#include "platform/headless/headless.h"
#include "program/program.h"
#include "state/records.h"
#include "support/test_support.h"

using namespace testing_support;

namespace {

void pressKey(int key) {
    const KeyArea a = nameKeyArea(key);
    click((a.left + a.right) / 2, (a.top + a.bottom) / 2);
}

// Runs turns until the scene changes to `scene` (at most `limit` turns).
bool runUntil(int32_t scene, int limit) {
    for (int i = 0; i < limit && loop.GameScene != scene; ++i) runTurns(1);
    return loop.GameScene == scene;
}

bool musicLogHas(const char* command) {
    for (int i = 0; i < headless::musicCommandCount(); ++i) {
        if (std::string(headless::musicCommand(i)) == command) return true;
    }
    return false;
}

}  // namespace

TEST(FrontRoad, NewGameToTheMarketThenContinueInANewRun) {
    freshStartedRun();
    ASSERT_EQ(loop.GameScene, SCENE_OPENING);

    // Skip the opening.
    mouse(600, 40, false);
    runTurns(3);
    headless::setKey(Key::Enter, true);
    runTurns(1);
    headless::setKey(Key::Enter, false);
    ASSERT_EQ(loop.GameScene, SCENE_TITLE_LOAD);
    runTurns(2);
    ASSERT_EQ(loop.GameScene, SCENE_TITLE_MENU);

    // New game, a name and five years.
    click(300, 300);
    mouse(300, 270, false);
    runTurns(1);
    click(300, 270);
    ASSERT_EQ(loop.GameScene, SCENE_NAME_ENTRY);
    for (int key : {10, 0, 1, 20}) pressKey(key);  // k a b u
    mouse(505, 305, true);
    runTurns(4);
    mouse(600, 40, false);
    runTurns(1);
    saveScreen("front_road_name_entry");
    headless::setKey(Key::Enter, true);
    runTurns(1);
    headless::setKey(Key::Enter, false);
    ASSERT_EQ(loop.GameScene, SCENE_MARKET);
    EXPECT_STREQ(Player.playerName, "kabu");
    EXPECT_EQ(Calendar.yearsLeft, 5);
    EXPECT_TRUE(musicLogHas("Open data/edit.mid Alias WAV01"));
    EXPECT_STREQ(headless::musicCommand(headless::musicCommandCount() - 2),
                 "Open data/main.mid Alias WAV01");

    // The market runs; the save button writes the game.
    runTurns(120);
    ASSERT_EQ(loop.GameScene, SCENE_MARKET);
    click(580, 210);
    runTurns(5);
    ASSERT_TRUE(std::filesystem::exists("savedat/data.txt"));

    // The graph and back.
    mouse(580, 260, true);
    ASSERT_TRUE(runUntil(SCENE_GRAPH, 5));
    mouse(300, 200, false);
    runTurns(2);
    saveScreen("front_road_graph");
    click(600, 420);
    ASSERT_EQ(loop.GameScene, SCENE_MARKET);
    runTurns(60);
    saveScreen("front_road_market");

    // A new run in the same folder: the whole opening, the ranking, continue.
    resetProgramState();
    headless::install();
    startup();
    ASSERT_EQ(loop.GameScene, SCENE_OPENING);
    mouse(600, 40, false);
    ASSERT_TRUE(runUntil(SCENE_TITLE_LOAD, 2000));
    EXPECT_STREQ(headless::musicCommand(0), "Open data/title.mid Alias WAV01");
    EXPECT_STREQ(headless::musicCommand(1), "Play WAV01 from 0 notify");
    runTurns(2);
    ASSERT_EQ(loop.GameScene, SCENE_TITLE_MENU);

    click(300, 370);
    ASSERT_EQ(loop.GameScene, SCENE_RANKING);
    runTurns(3);
    saveScreen("front_road_ranking");
    click(50, 20);  // the ranking's back button
    ASSERT_TRUE(runUntil(SCENE_TITLE_MENU, 5));

    click(300, 300);
    mouse(200, 300, false);
    runTurns(1);
    click(200, 300);
    ASSERT_EQ(loop.GameScene, SCENE_MARKET);
    EXPECT_EQ(session.loadSaved, 1);
    EXPECT_STREQ(Player.playerName, "kabu");
    EXPECT_EQ(Calendar.yearsLeft, 5);
    EXPECT_STREQ(headless::musicCommand(headless::musicCommandCount() - 2),
                 "Open data/main.mid Alias WAV01");
    runTurns(60);
    saveScreen("front_road_continued");
}
