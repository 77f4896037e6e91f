// SPDX-License-Identifier: GPL-2.0-or-later
// The award screen and the ranking screen: leaving, the class icon one frame
// late, the entry of a finished game, the ordering, the names and the file.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/devices.h"
#include "core/scenes.h"
#include "frontend/award.h"
#include "frontend/rank_table.h"
#include "frontend/ranking_screen.h"
#include "platform/headless/headless.h"
#include "program/program.h"
#include "state/records.h"
#include "support/test_support.h"

using namespace testing_support;

namespace {

uint8_t& at(Surface& s, int x, int y) { return s.pixels[y * s.pitch + x]; }

// Each class icon painted in its own value, 60 + class.
void paintIcons() {
    for (int c = 0; c < 7; ++c) {
        const Rect r = classIconRects[c];
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                at(devices.spriteSheet, x, y) = static_cast<uint8_t>(60 + c);
    }
}

void setPlayer(const char* name, int32_t cash, int32_t stockValue) {
    std::memset(Player.playerName, 0, sizeof Player.playerName);
    std::strcpy(Player.playerName, name);
    Player.cash = cash;
    PortfolioValue.stockValue = stockValue;
}

// A finished game reaching the ranking: the ending start marks it.
void finishGame(const char* name, int32_t cash, int32_t stockValue, int32_t assetClass) {
    setPlayer(name, cash, stockValue);
    loop.GameScene = SCENE_ENDING_START;
    runTurns(1);
    ending.awardClass = assetClass;
    loop.GameScene = SCENE_RANKING;
}

std::string rowName(int row) { return RankTable[row].name; }

std::string fileImage() { return readFile("savedat/rank.txt"); }

std::string tableImage() {
    return std::string(reinterpret_cast<const char*>(RankTable), sizeof(RankEntry) * RANK_FILE_ROWS);
}

}  // namespace

TEST(EndingAward, LeavesOnItsThousandAndFirstFrameOrOnAClick) {
    freshStartedRun();
    setPlayer("abc", 200, 0);
    loop.GameScene = SCENE_AWARD;
    runTurns(1000);
    EXPECT_EQ(loop.GameScene, SCENE_AWARD);
    EXPECT_EQ(ending.awardFrames, 1000);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_RANKING);
    EXPECT_EQ(ending.awardFrames, 0);

    loop.GameScene = SCENE_AWARD;
    mouse(300, 300, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_RANKING);
    EXPECT_EQ(ending.awardFrames, 0);
}

TEST(EndingAward, TheIconFollowsTheTotalOneFrameLate) {
    freshStartedRun();
    paintIcons();
    setPlayer("abc", 200, 0);
    loop.GameScene = SCENE_AWARD;
    runTurns(1);
    EXPECT_EQ(presentedPixel(300, 280), 60);  // class 0 from before
    EXPECT_EQ(ending.awardClass, 5);
    runTurns(1);
    EXPECT_EQ(presentedPixel(300, 280), 65);

    Player.cash = 10000000;
    runTurns(1);
    EXPECT_EQ(ending.awardClass, 1);
    Player.cash = 9999999;
    runTurns(1);
    EXPECT_EQ(ending.awardClass, 2);
    // The uncovered range keeps the class.
    Player.cash = 500000;
    runTurns(1);
    EXPECT_EQ(ending.awardClass, 2);
    // A signed sum: shares worth more than the debt still count.
    Player.cash = -100;
    PortfolioValue.stockValue = 1100;
    runTurns(1);
    EXPECT_EQ(ending.awardClass, 4);
}

TEST(EndingRanking, ATitleVisitShowsTheDefaultsAndEntersNothing) {
    freshStartedRun();
    setPlayer("abc", 5000, 0);
    loop.GameScene = SCENE_RANKING;  // as the title menu sets it
    runTurns(3);
    EXPECT_EQ(rowName(0), "pelori");
    EXPECT_EQ(rowName(1), "wasuno");
    EXPECT_EQ(rowName(2), "kibeta");
    EXPECT_EQ(rowName(3), "yum");
    EXPECT_EQ(rowName(4), "doraq");
    const int32_t classes[5] = {5, 6, 6, 6, 6};
    for (int r = 0; r < 5; ++r) EXPECT_EQ(RankTable[r].assetClass, classes[r]);
    EXPECT_EQ(ending.rankEntryMade, 0);
    const std::string file = fileImage();
    EXPECT_EQ(file.size(), 1072u);
    EXPECT_EQ(file, tableImage());
}

TEST(EndingRanking, EqualCashStaysAboveAndNamesArePaddedToSeven) {
    freshStartedRun();
    finishGame("abc", 200, 0, 5);
    runTurns(1);
    EXPECT_EQ(rowName(0), "pelori");
    EXPECT_EQ(rowName(1), "abc    ");
    EXPECT_EQ(RankTable[1].name[7], '\0');
    for (size_t i = 8; i < sizeof RankTable[1].name; ++i) ASSERT_EQ(RankTable[1].name[i], 0);
    EXPECT_EQ(RankTable[1].cash, 200);
    EXPECT_EQ(rowName(2), "wasuno");
    EXPECT_EQ(rowName(4), "yum");
    EXPECT_EQ(ending.rankEntryMade, 1);
    EXPECT_EQ(ending.rankEntryPending, 0);
    // Never twice: later frames and later visits leave it.
    runTurns(5);
    EXPECT_EQ(rowName(1), "abc    ");
    EXPECT_EQ(rowName(2), "wasuno");
    EXPECT_EQ(fileImage(), tableImage());
}

TEST(EndingRanking, AGoodClassClimbsOneRowAFrame) {
    freshStartedRun();
    finishGame("abc", 150, 900, 4);
    runTurns(1);
    EXPECT_EQ(rowName(1), "abc    ");
    EXPECT_EQ(RankTable[0].assetClass, 5);
    EXPECT_EQ(RankTable[1].assetClass, 4);
    runTurns(1);
    EXPECT_EQ(rowName(0), "abc    ");
    EXPECT_EQ(rowName(1), "pelori");
}

TEST(EndingRanking, ARowFiveEntryIsShownButNotStored) {
    const std::string folder = freshStartedRun();
    finishGame("abc", 60, 0, 6);
    runTurns(1);
    EXPECT_EQ(rowName(4), "abc    ");
    EXPECT_EQ(rowName(3), "yum");
    EXPECT_EQ(fileImage().find("abc"), std::string::npos);

    // After a restart and a read of the file the entry is gone.
    resetProgramState();
    loadRankFile();
    EXPECT_EQ(rowName(4), "doraq");
    EXPECT_EQ(rowName(3), "yum");
}

TEST(EndingRanking, NoPlaceMeansNoChangeAndNothingCarriedToTheTitleVisit) {
    freshStartedRun();
    finishGame("abc", 50, 0, 6);
    runTurns(2);
    EXPECT_EQ(rowName(4), "doraq");
    EXPECT_EQ(ending.rankEntryMade, 0);
    mouse(20, 20, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_LOAD);
    EXPECT_EQ(ending.rankEntryPending, 0);

    // A title visit later, whatever the cash, enters nothing.
    mouse(300, 300, false);
    Player.cash = 5000;
    loop.GameScene = SCENE_RANKING;
    runTurns(2);
    EXPECT_EQ(rowName(0), "pelori");
    EXPECT_EQ(ending.rankEntryMade, 0);
}

TEST(EndingRanking, EveryFinishedGameOfTheRunIsConsidered) {
    freshStartedRun();
    finishGame("abc", 300, 0, 5);
    runTurns(1);
    EXPECT_EQ(rowName(0), "abc    ");
    mouse(20, 20, true);
    runTurns(1);
    mouse(300, 300, false);

    finishGame("de", 250, 0, 5);
    runTurns(1);
    EXPECT_EQ(rowName(0), "abc    ");
    EXPECT_EQ(rowName(1), "de     ");
    EXPECT_EQ(rowName(2), "pelori");
}

TEST(EndingRanking, MovingARowDownCopiesItWhole) {
    freshStartedRun();
    std::memset(RankTable[1].name, 0, sizeof RankTable[1].name);
    std::strcpy(RankTable[1].name, "longername");
    RankTable[1].name[200] = 'x';  // bytes after the terminator move too
    const RankEntry second = RankTable[1];
    const RankEntry third = RankTable[2];
    finishGame("ab", 150, 0, 6);
    runTurns(1);
    EXPECT_EQ(rowName(1), "ab     ");
    EXPECT_EQ(std::memcmp(RankTable[2].name, second.name, sizeof second.name), 0);
    EXPECT_EQ(RankTable[2].cash, second.cash);
    EXPECT_EQ(std::memcmp(RankTable[3].name, third.name, sizeof third.name), 0);
}

TEST(EndingRanking, AStoredRankingIsReadBeforeItIsWrittenOver) {
    freshStartedRun();
    // A ranking left by an earlier run.
    for (int r = 0; r < 4; ++r) {
        std::snprintf(RankTable[r].name, sizeof RankTable[r].name, "old%d", r);
        RankTable[r].cash = 1000 - 100 * r;
        RankTable[r].assetClass = 4;
    }
    saveRankFile();
    const std::string stored = fileImage();
    ASSERT_EQ(stored.size(), 1072u);
    resetProgramState();
    headless::install();

    // This run ends a game without ever opening the ranking from the title.
    finishGame("abc", 850, 0, 5);
    runTurns(1);
    EXPECT_EQ(rowName(0), "old0");
    EXPECT_EQ(rowName(1), "old1");
    EXPECT_EQ(rowName(2), "abc    ");
    EXPECT_EQ(rowName(3), "old2");
    // The file holds what the table held when it was written, before the
    // classes were recomputed; once they settle, file and table agree.
    runTurns(3);
    EXPECT_EQ(fileImage().substr(0, 268 * 3), tableImage().substr(0, 268 * 3));
    EXPECT_EQ(fileImage(), tableImage());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(RankTable), 4), "old0");
}

TEST(EndingRanking, TheBackButtonNeedsNoRelease) {
    freshStartedRun();
    loop.GameScene = SCENE_RANKING;
    mouse(145, 20, true);
    runTurns(2);
    EXPECT_EQ(loop.GameScene, SCENE_RANKING);
    mouse(144, 36, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_LOAD);
    loop.GameScene = SCENE_RANKING;
    mouse(11, 11, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_LOAD);
}

TEST(EndingRanking, IconsShowTheRecomputedClasses) {
    freshStartedRun();
    paintIcons();
    RankTable[2].stockValue = 20000000;  // class 1 from its total
    loop.GameScene = SCENE_RANKING;
    runTurns(1);
    EXPECT_EQ(presentedPixel(470, 140 + 5), 65);
    EXPECT_EQ(presentedPixel(470, 140 + 70 * 2 + 5), 61);
    EXPECT_EQ(presentedPixel(470, 140 + 70 * 4 + 5), 66);
}

TEST(EndingRanking, FramesWithTheGameArt) {
    freshStartedRun();
    setPlayer("abc", 150, 900);
    loop.GameScene = SCENE_ENDING_START;
    runTurns(1);
    loop.GameScene = SCENE_AWARD;
    runTurns(2);
    saveScreen("ending_award");
    mouse(300, 300, true);
    runTurns(1);
    ASSERT_EQ(loop.GameScene, SCENE_RANKING);
    mouse(320, 120, false);
    runTurns(4);
    EXPECT_EQ(rowName(0), "abc    ");
    saveScreen("ending_ranking");
}

TEST(EndingRoad, AFinishedGameGoesThroughEndingAwardRankingToTheTitle) {
    freshStartedRun();
    setPlayer("kabu", 3000, 500);
    loop.GameScene = SCENE_ENDING_START;
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_STAFF_ROLL);
    runTurns(100);
    headless::setKey(Key::Enter, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_AWARD);
    runTurns(3);  // Enter held does not matter here
    EXPECT_EQ(loop.GameScene, SCENE_AWARD);
    headless::setKey(Key::Enter, false);
    click(300, 300);
    EXPECT_EQ(loop.GameScene, SCENE_RANKING);
    EXPECT_EQ(ending.awardClass, 4);
    runTurns(2);
    EXPECT_EQ(rowName(0), "kabu   ");
    EXPECT_EQ(RankTable[0].stockValue, 500);
    EXPECT_EQ(RankTable[0].assetClass, 4);
    mouse(50, 20, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_LOAD);
    EXPECT_EQ(ending.rankEntryPending, 0);
}
