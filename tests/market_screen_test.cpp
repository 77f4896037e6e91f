// SPDX-License-Identifier: GPL-2.0-or-later
// The market screen driven through the headless backend: pacing, the board,
// the button column, the messages, the entrance transition and the ruin.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "core/devices.h"
#include "core/scenes.h"
#include "market/market.h"
#include "market/market_state.h"
#include "platform/headless/headless.h"
#include "program/program.h"
#include "support/test_support.h"

namespace {

using testing_support::mouse;
using testing_support::presentedPixel;
using testing_support::runTurns;

// Without generated art the screen palette is black; give it distinct colours.
void ensureVisiblePalette() {
    PaletteEntry entries[256];
    getDisplayPalette(entries);
    for (const PaletteEntry& entry : entries) {
        if (entry.red != 0 || entry.green != 0 || entry.blue != 0) return;
    }
    for (int i = 0; i < 216; ++i) {
        entries[i] = PaletteEntry{uint8_t(i / 36 * 51), uint8_t(i / 6 % 6 * 51), uint8_t(i % 6 * 51), 5};
    }
    entries[216] = PaletteEntry{150, 55, 255, 5};
    entries[217] = PaletteEntry{255, 160, 255, 5};
    entries[254] = PaletteEntry{1, 2, 3, 5};
    setDisplayPalette(entries);
}

void setUpGame() {
    testing_support::freshStartedRun();
    ensureVisiblePalette();
    for (int32_t slot = 0; slot < SLOTS; ++slot) {
        std::strcpy(ListedCompanies[slot].name, catalogNames[slot]);
        ListedCompanies[slot].price = 100 + 13 * slot;
        std::snprintf(session.priceText[slot], sizeof session.priceText[slot], "%d",
                      ListedCompanies[slot].price);
        CatalogIndex[slot] = slot;
        CompanyCatalog[slot].listed = 1;
        PriceHistory[slot].history[0] = ListedCompanies[slot].price;
        PriceHistory[slot].historyCount = 1;
    }
    for (int32_t row = 0; row < CATALOG_ROWS; ++row) CompanyCatalog[row].catalogPrice = 40 + row;
    std::strcpy(Player.playerName, "かぶぬし");
    Player.cash = 200;
    std::strcpy(Player.cashText, "2000000円");
    Calendar = CalendarRecord{2003, 1, 1, 5};
    std::strcpy(session.yearsLeftText, "あと5年");
    loop.GameScene = SCENE_MARKET;
    mouse(300, 470, false);
}

// Whether the last presented frame has a pixel of palette index `index` inside the box.
bool frameHas(uint8_t index, int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (presentedPixel(x, y) == index) return true;
        }
    }
    return false;
}

TEST(MarketFrame, ASecondCallWithin33MsChangesNothing) {
    setUpGame();
    runTurns(1);
    const int presents = headless::presentCount();
    const int32_t ticks = market.stepTicks;
    const uint32_t last = market.marketLastFrame;
    const int32_t x = market.newsX;
    headless::advanceTime(32);
    ++loop.frameCounter;
    marketFrame();
    EXPECT_EQ(headless::presentCount(), presents);
    EXPECT_EQ(market.stepTicks, ticks);
    EXPECT_EQ(market.marketLastFrame, last);
    EXPECT_EQ(market.newsX, x);
    headless::advanceTime(1);
    ++loop.frameCounter;
    marketFrame();
    EXPECT_EQ(headless::presentCount(), presents + 1);
    EXPECT_EQ(market.stepTicks, ticks + 1);
    EXPECT_EQ(market.newsX, x - 2);
}

TEST(MarketFrame, BoardInPlay) {
    setUpGame();
    Holdings[1].shares = 30000;
    Holdings[12].shares = 10000;
    PortfolioValue.everBought = 1;
    runTurns(PRICE_STEP_FRAMES + 25);
    EXPECT_EQ(market.stepTicks, 25);
    EXPECT_GT(PortfolioValue.stockValue, 0);
    testing_support::saveScreen("market_board");
    const uint8_t red = nearestPaletteIndex(255, 0, 0);
    EXPECT_TRUE(frameHas(red, 10, 58, 150, 72));    // slot 1, held
    EXPECT_TRUE(frameHas(red, 190, 98, 330, 112));  // slot 12, held
    EXPECT_FALSE(frameHas(red, 10, 18, 150, 32));   // slot 0
    for (int32_t slot = 0; slot < SLOTS; ++slot) {
        const int top = 18 + 40 * (slot % 10);
        const int left = 10 + 180 * (slot / 10);
        if (session.priceMark[slot] == 1) {
            EXPECT_TRUE(frameHas(nearestPaletteIndex(150, 55, 255), left, top, left + 140, top + 14)) << slot;
        }
        if (session.priceMark[slot] == 2) {
            EXPECT_TRUE(frameHas(nearestPaletteIndex(255, 160, 255), left, top, left + 140, top + 14))
                << slot;
        }
    }
    // the news runs along the bottom
    EXPECT_TRUE(frameHas(nearestPaletteIndex(255, 255, 0), 0, 460, 640, 475));
}

TEST(MarketFrame, StockValueTextBeforeTheFirstPurchase) {
    setUpGame();
    PortfolioValue.everBought = 0;
    runTurns(PRICE_STEP_FRAMES);
    EXPECT_STREQ(PortfolioValue.stockValueText, "持ち株価値 0円");
    PortfolioValue.everBought = 1;
    market.stepTicks = PRICE_STEP_FRAMES - 1;
    runTurns(1);
    EXPECT_STREQ(PortfolioValue.stockValueText, "ただいまの株価値 00000円");
}

TEST(MessagePanel, GrowsOpenInEightCalls) {
    setUpGame();
    closeMessagePanel();
    const int32_t expected[8][4] = {{300, 300, 300, 300}, {270, 270, 330, 330}, {240, 240, 360, 360},
                                    {210, 210, 390, 390}, {180, 200, 420, 400}, {150, 200, 450, 400},
                                    {120, 200, 480, 400}, {100, 200, 500, 400}};
    for (const auto& corners : expected) {
        for (int i = 0; i < 4; ++i) EXPECT_EQ(market.messagePanel[i], corners[i]);
        growMessagePanel();
    }
    for (int i = 0; i < 4; ++i) EXPECT_EQ(market.messagePanel[i], expected[7][i]);
    // drawn at full size: black inside, the white rim on its left edge
    const uint8_t white = nearestPaletteIndex(255, 255, 255);
    bool rim = false;
    for (int x = 98; x <= 103; ++x)
        rim = rim || devices.backBuffer.pixels[300 * devices.backBuffer.pitch + x] == white;
    EXPECT_TRUE(rim);
    EXPECT_EQ(devices.backBuffer.pixels[300 * devices.backBuffer.pitch + 300], nearestPaletteIndex(0, 0, 0));
}

TEST(AssetPanel, SaveMessageShowsOneFrameWithAClearLatch) {
    setUpGame();
    mouse(560, 210, true);
    runTurns(1);
    EXPECT_EQ(market.saveShowing, 0);  // opened and closed by the same press
    EXPECT_EQ(market.saveLatch, 1);
    EXPECT_EQ(testing_support::readFile("savedat/edit.txt").size(), 620u);
    // held: no second save
    std::remove("savedat/edit.txt");
    runTurns(3);
    EXPECT_TRUE(testing_support::readFile("savedat/edit.txt").empty());
    mouse(560, 210, false);
    runTurns(1);
    // the next save click shows the message until the next click
    mouse(560, 210, true);
    runTurns(1);
    EXPECT_EQ(market.saveShowing, 1);
    EXPECT_STREQ(market.saveMessage, "セーブ完了!!");
    EXPECT_EQ(testing_support::readFile("savedat/edit.txt").size(), 620u);
    mouse(300, 470, false);
    runTurns(8);
    EXPECT_EQ(market.saveShowing, 1);
    EXPECT_EQ(market.saveLatch, 0);
    testing_support::saveScreen("market_save_message");
    mouse(300, 470, true);
    runTurns(1);
    EXPECT_EQ(market.saveShowing, 0);
    EXPECT_EQ(market.messagePanel[0], 300);
}

TEST(AssetPanel, FastForwardEndsExactlyOneDay) {
    setUpGame();
    loop.frameCounter = 1000;
    mouse(560, 310, true);
    runTurns(1);
    EXPECT_EQ(loop.frameCounter, FRAMES_PER_DAY - 1);
    EXPECT_EQ(market.fastForwardPressed, 1);
    EXPECT_EQ(Calendar.day, 1);
    runTurns(1);  // the next turn completes the day
    EXPECT_EQ(Calendar.day, 2);
    EXPECT_EQ(loop.frameCounter, 0);
    runTurns(20);  // held: no further day
    EXPECT_EQ(Calendar.day, 2);
    mouse(560, 310, false);
    runTurns(1);
    EXPECT_EQ(market.fastForwardPressed, 0);
    EXPECT_EQ(market.fastForwardLatch, 0);
    mouse(560, 310, true);
    runTurns(2);
    EXPECT_EQ(Calendar.day, 3);
}

TEST(AssetPanel, FastForwardPassesOneDayAfterAPacedTurn) {
    setUpGame();
    mouse(560, 310, true);
    runTurns(1);
    mouse(560, 310, false);
    // turns too early for a frame still count; the next frame ends one day
    runTurns(5, 1);
    runTurns(1);
    EXPECT_EQ(Calendar.day, 2);
}

TEST(AssetPanel, FKeyOverTheFastForwardButton) {
    setUpGame();
    mouse(300, 300, false);
    headless::setKey(Key::F, true);
    runTurns(2);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    mouse(600, 337, false);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_ENDING_START);
    // with the button held as well
    setUpGame();
    headless::setKey(Key::F, true);
    mouse(550, 300, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_ENDING_START);
}

TEST(AssetPanel, ButtonsWithoutLatchAndTheirScenes) {
    setUpGame();
    mouse(300, 300, true);
    runTurns(2);
    const int32_t ticks = market.stepTicks;
    mouse(560, 60, true);  // moved onto buy with the button held
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_BUY);
    EXPECT_EQ(market.marketTransition, 1);
    EXPECT_EQ(market.stepTicks, ticks);  // no count in the frame that leaves for the buy screen

    setUpGame();
    mouse(617, 137, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_HOLDINGS);

    setUpGame();
    mouse(618, 137, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);

    setUpGame();
    market.supportShowing = 1;
    std::strcpy(market.supportMessage, "支援しました");
    mouse(560, 160, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);  // no support screen while a result is shown
    EXPECT_EQ(market.supportShowing, 0);      // the press took the message away
    mouse(560, 160, false);
    runTurns(1);
    mouse(560, 160, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_SUPPORT);
    EXPECT_EQ(market.marketTransition, 1);
}

TEST(AssetPanel, GraphButtonPreparesTheSteps) {
    setUpGame();
    for (int i = 0; i < HISTORY_LENGTH; ++i) PriceHistory[0].history[i] = 100 + i * i;
    PriceHistory[0].historyCount = 13;
    ListedCompanies[0].price = 250;
    PriceHistory[1].history[0] = 70;
    PriceHistory[1].historyCount = 1;
    ListedCompanies[1].price = 75;
    for (int i = 0; i < HISTORY_LENGTH; ++i) PriceHistory[2].graphSteps[i] = 1234;
    PriceHistory[2].historyCount = 0;
    mouse(560, 260, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_GRAPH_LOAD);
    EXPECT_EQ(market.marketTransition, 1);
    EXPECT_EQ(GraphState.historyLoopIndex, SLOTS);
    const int32_t price0 = ListedCompanies[0].price;
    for (int k = 0; k < 12; ++k) EXPECT_EQ(PriceHistory[0].graphSteps[k], 2 * k + 1);
    EXPECT_EQ(PriceHistory[0].graphSteps[12], price0 - PriceHistory[0].history[12]);
    EXPECT_EQ(PriceHistory[0].graphPrice, price0);
    EXPECT_EQ(PriceHistory[0].graphStepIndex, 12);
    EXPECT_EQ(PriceHistory[1].graphSteps[0], ListedCompanies[1].price - 70);
    EXPECT_EQ(PriceHistory[2].graphSteps[12], 1234);  // no sample: no step to now
}

TEST(Messages, BankruptcyThenFounding) {
    setUpGame();
    session.loadSaved = 0;
    Holdings[4].shares = 10000;
    PortfolioValue.everBought = 1;
    runTurns(3);
    declareBankruptcy(4);
    const int32_t ticks = market.stepTicks;
    runTurns(8);
    EXPECT_EQ(market.stepTicks, ticks);  // paused
    EXPECT_EQ(market.messagePanel[0], 100);
    testing_support::saveScreen("market_bankruptcy");
    const uint8_t white = nearestPaletteIndex(255, 255, 255);
    EXPECT_TRUE(frameHas(white, 200, 300, 400, 314));
    EXPECT_TRUE(frameHas(white, 200, 330, 400, 344));  // the lost shares

    mouse(320, 240, true);
    runTurns(1);
    EXPECT_EQ(market.bankruptShowing, 0);
    EXPECT_EQ(market.lostShares[4], 0);
    EXPECT_EQ(market.foundedShowing, 1);  // the same press does not also close it
    EXPECT_NE(CatalogIndex[4], 4);
    EXPECT_EQ(CompanyCatalog[4].listed, 0);
    EXPECT_EQ(ListedCompanies[4].price, CompanyCatalog[CatalogIndex[4]].catalogPrice);
    EXPECT_EQ(market.messagePanel[0], 100);  // left open
    runTurns(4);
    EXPECT_EQ(market.foundedShowing, 1);
    EXPECT_EQ(market.marketPaused, 1);
    mouse(320, 240, false);
    runTurns(2);
    testing_support::saveScreen("market_founding");
    EXPECT_EQ(market.stepTicks, ticks);
    mouse(320, 240, true);
    runTurns(1);
    EXPECT_EQ(market.foundedShowing, 0);
    EXPECT_EQ(market.marketPaused, 0);
    EXPECT_EQ(market.messagePanel[0], 300);
    mouse(320, 240, false);
    runTurns(1);
    EXPECT_EQ(market.stepTicks, ticks + 1);
}

TEST(Messages, SupportResultPausesUntilClicked) {
    setUpGame();
    market.supportShowing = 1;
    std::strcpy(market.supportMessage, "㈱ジャポンの株価が上がりました");
    runTurns(10);
    EXPECT_EQ(market.marketPaused, 1);
    EXPECT_EQ(market.stepTicks, 1);  // the pause begins after the first frame's price step
    testing_support::saveScreen("market_support_message");
    mouse(100, 100, true);
    runTurns(1);
    EXPECT_EQ(market.supportShowing, 0);
    EXPECT_EQ(market.marketPaused, 0);
    EXPECT_EQ(market.messagePanel[0], 300);
}

// Frames until `done` holds, at most `limit`.
template <typename Done>
int framesUntil(Done done, int limit) {
    for (int frame = 1; frame <= limit; ++frame) {
        runTurns(1);
        if (done()) return frame;
    }
    return -1;
}

TEST(Ruin, AnimationThenGameOverAndTheImmediateSecondRuin) {
    setUpGame();
    Player.cash = 0;
    std::strcpy(Player.cashText, "00000円");
    PortfolioValue.stockValue = 0;
    Holdings[3].shares = 50;  // worth less than one unit
    EXPECT_EQ(framesUntil([] { return market.shakeActive == 1; }, 100), 20);
    EXPECT_EQ(market.zoomA[0], 10);
    EXPECT_EQ(market.secondZoom, 0);
    int shakeFrames = 0;
    while (market.secondZoom == 0 && shakeFrames < 20) {
        runTurns(1);
        ++shakeFrames;
        if (shakeFrames == 3) testing_support::saveScreen("market_ruin_shake");
    }
    EXPECT_EQ(shakeFrames, 6);
    EXPECT_EQ(market.shakeCount, 0);
    EXPECT_EQ(market.shakeActive, 0);
    EXPECT_EQ(market.zoomB[0], 190);  // sprite B started in the frame the shake ended
    EXPECT_EQ(framesUntil([] { return market.zoomB[0] == 100; }, 30), 9);
    testing_support::saveScreen("market_ruin");
    EXPECT_EQ(framesUntil([] { return market.ruinReady == 1; }, 30), 10);
    EXPECT_EQ(market.shakeActive, 1);
    const int32_t ticks = market.stepTicks;
    EXPECT_EQ(framesUntil([] { return loop.GameScene == SCENE_GAME_OVER; }, 30), 4);
    EXPECT_EQ(market.shakeCount, 4);
    EXPECT_EQ(market.shakeActive, 0);
    EXPECT_EQ(market.stepTicks, ticks);  // no price steps once both sprites landed

    // the game over sends the player to the title and clears ruinReady; a later
    // ruin in the same run goes to the game over at once
    market.ruinReady = 0;
    loop.GameScene = SCENE_MARKET;
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_GAME_OVER);
}

TEST(Ruin, CashOrSharesKeepThePlayerInTheGame) {
    setUpGame();
    Player.cash = 1;
    runTurns(40);
    EXPECT_EQ(market.zoomA[0], 200);
    Player.cash = 0;
    Holdings[0].shares = 10000;
    PortfolioValue.stockValue = 3;
    runTurns(40);
    EXPECT_EQ(market.zoomA[0], 200);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
}

TEST(Transition, FortyOneFramesOfWideningStrips) {
    setUpGame();
    runTurns(2);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x)
            devices.workSurface.pixels[y * devices.workSurface.pitch + x] = uint8_t((x * 7 + y) % 200);
    }
    devices.workSurface.pixels[200 * devices.workSurface.pitch + 80] =
        COLOR_KEY;  // strip 40..80 of row 200 is skipped
    market.marketTransition = 1;
    const int32_t ticks = market.stepTicks;
    const int32_t x = market.newsX;
    runTurns(1);
    EXPECT_EQ(market.marketTransition, 2);
    EXPECT_EQ(market.stripProgress, 0);
    for (int frame = 1; frame <= 41; ++frame) {
        const int32_t progress = market.stripProgress;
        devices.backBuffer.pixels[200 * devices.backBuffer.pitch + 70] = 250;
        runTurns(1);
        if (frame < 41) {
            EXPECT_EQ(market.marketTransition, 2) << frame;
        }
        // strip ending at 40 of row 285: target 40 - j holds source progress - j
        for (int j = 0; j <= progress; ++j) {
            EXPECT_EQ(presentedPixel(40 - j, 285),
                      devices.workSurface.pixels[285 * devices.workSurface.pitch + progress - j]);
        }
        // the last strip copies up to column 639
        if (progress >= 1) {
            EXPECT_EQ(presentedPixel(639, 285),
                      devices.workSurface.pixels[285 * devices.workSurface.pitch + 600 + progress - 1]);
        }
        EXPECT_EQ(presentedPixel(70, 200), 250);  // keyed strip left alone
        if (frame == 20) testing_support::saveScreen("market_transition");
    }
    EXPECT_EQ(market.marketTransition, 0);
    EXPECT_EQ(market.stripProgress, 0);
    EXPECT_EQ(market.stepTicks, ticks + 1);  // the market moved only in the last frame
    EXPECT_EQ(market.newsX, x - 2);
}

TEST(Transition, FromAFreshWorkSurface) {
    setUpGame();
    runTurns(3);
    market.marketTransition = 1;
    runTurns(26);
    EXPECT_EQ(market.marketTransition, 2);
    testing_support::saveScreen("market_transition_fresh");
    runTurns(16);
    EXPECT_EQ(market.marketTransition, 0);
    testing_support::saveScreen("market_after_transition");
}

TEST(Transition, FailedLocksStillEndTheTransition) {
    setUpGame();
    market.marketTransition = 1;
    headless::setLocksFail(true);
    runTurns(42);
    headless::setLocksFail(false);
    EXPECT_EQ(market.marketTransition, 0);
}

}  // namespace

namespace {

// The shaken background: four opaque pieces of the main background that tile
// the screen with the offset (5, 5), then (0, 0).
TEST(Ruin, ShakeTilesTheBackgroundWithItsOffset) {
    setUpGame();
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            devices.gameMainSurface.pixels[y * devices.gameMainSurface.pitch + x] =
                uint8_t((x * 3 + y * 5) % 250);
        }
    }
    const auto background = [](int x, int y) {
        return devices.gameMainSurface.pixels[y * devices.gameMainSurface.pitch + x];
    };
    Player.cash = 1;  // not ruined: only the shake runs
    market.shakeActive = 1;
    market.shakeCount = 0;
    market.shakeX = 0;
    market.shakeY = 0;
    runTurns(1);
    ASSERT_EQ(market.shakeX, 5);
    ASSERT_EQ(market.shakeY, 5);
    EXPECT_EQ(market.shakeCount, 1);
    const int points[][2] = {{0, 0}, {3, 7}, {634, 2}, {636, 1}, {639, 474}, {2, 476}, {637, 477}, {639, 479}};
    for (const auto& point : points) {
        const int x = point[0];
        const int y = point[1];
        // the name column and the texts are drawn on top; sample only bare background
        if (x >= 10 && x < 540 && y >= 18 && y < 400) continue;
        EXPECT_EQ(presentedPixel(x, y), background((x + 5) % 640, (y + 5) % 480)) << x << "," << y;
    }
    runTurns(1);
    ASSERT_EQ(market.shakeX, 0);
    EXPECT_EQ(presentedPixel(639, 479), background(639, 479));
    EXPECT_EQ(presentedPixel(0, 0), background(0, 0));
    for (int i = 0; i < 4; ++i) runTurns(1);
    EXPECT_EQ(market.shakeActive, 0);  // six frames, then the second sprite's turn
    EXPECT_EQ(market.shakeCount, 0);
    EXPECT_EQ(market.secondZoom, 1);
}

// The press that dismisses a bankruptcy message over a button of the column
// also performs that button.
TEST(Messages, DismissingPressAlsoPerformsTheButton) {
    setUpGame();
    session.loadSaved = 0;
    runTurns(2);
    declareBankruptcy(8);
    runTurns(3);
    mouse(560, 60, true);  // the buy button
    runTurns(1);
    EXPECT_EQ(market.bankruptShowing, 0);
    EXPECT_EQ(market.foundedShowing, 1);
    EXPECT_EQ(loop.GameScene, SCENE_BUY);
    EXPECT_EQ(market.marketTransition, 1);
}

}  // namespace
