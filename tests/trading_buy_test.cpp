// SPDX-License-Identifier: GPL-2.0-or-later
// The buy screen driven by scripted mouse input on the headless backend.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "core/devices.h"
#include "core/rng.h"
#include "core/scenes.h"
#include "platform/headless/headless.h"
#include "program/program.h"
#include "state/records.h"
#include "support/test_support.h"
#include "trading/trading_state.h"

namespace ts = testing_support;

using testing_support::pressOnce;
using testing_support::spriteShown;

namespace {

// Button centres.
constexpr int PREV_X = 183, PREV_Y = 128;
constexpr int NEXT_X = 433, NEXT_Y = 128;
constexpr int ADD_X = 457, ADD_Y = 165;
constexpr int REMOVE_X = 457, REMOVE_Y = 184;
constexpr int DECIDE_X = 263, DECIDE_Y = 448;
constexpr int BACK_X = 403, BACK_Y = 448;

void setCash(int32_t cash) {
    Player.cash = cash;
    std::snprintf(Player.cashText, sizeof Player.cashText, "%ld0000円", static_cast<long>(cash));
}

// A started run on the buy screen: thirty companies priced 100 + slot, nothing held.
void openBuyScreen(int32_t cash) {
    ts::freshStartedRun();
    for (int i = 0; i < SLOTS; ++i) {
        std::snprintf(ListedCompanies[i].name, sizeof ListedCompanies[i].name, "%s", catalogNames[i]);
        ListedCompanies[i].price = 100 + i;
        Holdings[i].shares = 0;
    }
    setCash(cash);
    loop.GameScene = SCENE_BUY;
    ts::mouse(320, 300, false);
    ts::runTurns(1);
}

void showCompany(int slot) {
    while (trading.buySelected != slot) ts::click(NEXT_X, NEXT_Y);
}

// Whether row y of the last frame holds the rule: index 255 from x = 20 to 619.
bool ruleOnRow(int y) {
    for (int x = 20; x <= 619; ++x) {
        if (ts::presentedPixel(x, y) != 255) return false;
    }
    return true;
}

}  // namespace

TEST(TradingBuy, LotAcceptedAtExactCashAndRefusedOneUnitAbove) {
    openBuyScreen(200);
    ListedCompanies[0].price = 100;
    ts::click(ADD_X, ADD_Y);
    ts::click(ADD_X, ADD_Y);
    EXPECT_EQ(trading.buyOrder[0], 20000);
    EXPECT_EQ(trading.buyTotal, 200u);
    EXPECT_EQ(Holdings[0].shares, 20000);
    ts::click(ADD_X, ADD_Y);
    EXPECT_EQ(trading.buyOrder[0], 20000);
    EXPECT_EQ(trading.buyTotal, 200u);
    EXPECT_EQ(Holdings[0].shares, 20000);
    EXPECT_STREQ(TradeRows[0].sharesText, "現在の持ち株数 20000株");
    EXPECT_STREQ(trading.buyTotalText, "総額 2000000円");
    EXPECT_EQ(TradeRows[0].bought, 1);

    openBuyScreen(199);
    ListedCompanies[0].price = 100;
    ts::click(ADD_X, ADD_Y);
    ts::click(ADD_X, ADD_Y);
    EXPECT_EQ(trading.buyOrder[0], 10000);
    EXPECT_EQ(trading.buyTotal, 100u);
    EXPECT_EQ(Holdings[0].shares, 10000);
    ts::saveScreen("trading_buy_ordering");
}

TEST(TradingBuy, RefusedLotStillMarksTheCompanyBought) {
    openBuyScreen(50);
    ts::click(ADD_X, ADD_Y);  // price 100 > cash 50
    EXPECT_EQ(trading.buyOrder[0], 0);
    EXPECT_EQ(Holdings[0].shares, 0);
    EXPECT_EQ(TradeRows[0].bought, 1);
    EXPECT_STREQ(TradeRows[0].sharesText, "現在の持ち株数 0株");
}

TEST(TradingBuy, CashZeroBuysNothingAndDrawsTheRuleOnRow210) {
    openBuyScreen(0);
    ts::click(ADD_X, ADD_Y);
    EXPECT_EQ(trading.buyOrder[0], 0);
    EXPECT_EQ(trading.buyTotal, 0u);
    EXPECT_FALSE(ruleOnRow(210));
    ts::mouse(DECIDE_X, DECIDE_Y, true);
    ts::runTurns(1);
    EXPECT_EQ(trading.buyDecided, 1);
    EXPECT_EQ(trading.buyListCount, 0);
    EXPECT_EQ(Player.cash, 0);
    EXPECT_STREQ(Player.cashText, "00000円");
    EXPECT_TRUE(ruleOnRow(210));  // from the frame of the decision on
    ts::mouse(DECIDE_X, DECIDE_Y, false);
    ts::runTurns(1);
    EXPECT_TRUE(ruleOnRow(210));
}

TEST(TradingBuy, ListIsInCompanyOrderAndRevealsALineEvery15Frames) {
    openBuyScreen(10000);
    showCompany(5);
    ts::click(ADD_X, ADD_Y);
    showCompany(2);  // wraps round through 29 and 0
    ts::click(ADD_X, ADD_Y);
    ts::click(ADD_X, ADD_Y);
    EXPECT_EQ(trading.buyTotal, static_cast<uint32_t>(105 + 2 * 102));
    ts::mouse(DECIDE_X, DECIDE_Y, true);
    ts::runTurns(1);
    ASSERT_EQ(trading.buyListCount, 2);
    EXPECT_STREQ(trading.buyList[0].name, ListedCompanies[2].name);
    EXPECT_STREQ(trading.buyList[0].quantity, "20000株");
    EXPECT_STREQ(trading.buyList[1].name, ListedCompanies[5].name);
    EXPECT_STREQ(trading.buyList[1].quantity, "10000株");
    EXPECT_EQ(Player.cash, 10000 - 309);
    EXPECT_EQ(trading.buySelected, 0);
    EXPECT_EQ(trading.buyRevealTimer, 1);
    ts::mouse(320, 300, false);
    ts::runTurns(29);  // timer 30: the second line is shown, the rule not yet
    EXPECT_EQ(trading.buyRevealTimer, 30);
    EXPECT_FALSE(ruleOnRow(250));
    ts::runTurns(1);
    EXPECT_TRUE(ruleOnRow(250));
    ts::saveScreen("trading_buy_decided");
}

TEST(TradingBuy, ListLinesAppearOneAtATime) {
    openBuyScreen(10000);
    ts::click(ADD_X, ADD_Y);
    ts::click(NEXT_X, NEXT_Y);
    ts::click(ADD_X, ADD_Y);
    ts::mouse(DECIDE_X, DECIDE_Y, true);
    ts::runTurns(1);
    ts::mouse(320, 300, false);
    // The second line (y 230 to 243) changes only on the frame it is revealed.
    auto changedPixels = [](const std::vector<uint8_t>& before, int top) {
        int count = 0;
        for (int y = top; y < top + 14; ++y) {
            for (int x = 250; x < 500; ++x) {
                if (ts::presentedPixel(x, y) != before[y * SCREEN_WIDTH + x]) ++count;
            }
        }
        return count;
    };
    auto frame = [] {
        return std::vector<uint8_t>(headless::presentedPixels(),
                                    headless::presentedPixels() + SCREEN_WIDTH * SCREEN_HEIGHT);
    };
    ts::runTurns(13);  // timer 14
    std::vector<uint8_t> before = frame();
    ts::runTurns(1);  // timer 15: 15 x 1 is not below 15, still hidden
    EXPECT_EQ(changedPixels(before, 230), 0);
    before = frame();
    ts::runTurns(1);  // timer 16: shown
    EXPECT_GT(changedPixels(before, 230), 0);
    EXPECT_EQ(changedPixels(before, 210), 0);
}

TEST(TradingBuy, ALotAddedAndRemovedLeavesNoTrace) {
    openBuyScreen(500);
    showCompany(3);
    const int32_t price = ListedCompanies[3].price;
    const uint32_t stateBefore = rng.randomState;
    ts::click(ADD_X, ADD_Y);
    ts::click(REMOVE_X, REMOVE_Y);
    EXPECT_EQ(trading.buyOrder[3], 0);
    EXPECT_EQ(trading.buyTotal, 0u);
    EXPECT_EQ(Holdings[3].shares, 0);
    ts::click(REMOVE_X, REMOVE_Y);  // nothing left to remove
    EXPECT_EQ(trading.buyOrder[3], 0);
    EXPECT_EQ(Holdings[3].shares, 0);
    ts::click(DECIDE_X, DECIDE_Y);
    EXPECT_EQ(trading.buyListCount, 0);
    pressOnce(BACK_X, BACK_Y);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    EXPECT_EQ(ListedCompanies[3].price, price);
    EXPECT_EQ(Player.cash, 500);
    EXPECT_EQ(PortfolioValue.stockValue, 0);
    EXPECT_EQ(PortfolioValue.everBought, 0);
    EXPECT_EQ(rng.randomState, stateBefore);
}

TEST(TradingBuy, RemovalNeverReachesEarlierHoldings) {
    openBuyScreen(500);
    Holdings[0].shares = 50000;
    ts::click(REMOVE_X, REMOVE_Y);
    EXPECT_EQ(Holdings[0].shares, 50000);
    EXPECT_EQ(trading.buyOrder[0], 0);
}

TEST(TradingBuy, BrowsingWrapsBothWays) {
    openBuyScreen(100);
    ts::click(PREV_X, PREV_Y);
    EXPECT_EQ(trading.buySelected, 29);
    ts::click(NEXT_X, NEXT_Y);
    EXPECT_EQ(trading.buySelected, 0);
    ts::click(PREV_X, PREV_Y);
    ts::click(PREV_X, PREV_Y);
    EXPECT_EQ(trading.buySelected, 28);
}

TEST(TradingBuy, AHeldPressActsOnce) {
    openBuyScreen(10000);
    ts::mouse(ADD_X, ADD_Y, true);
    ts::runTurns(20);
    EXPECT_EQ(trading.buyOrder[0], 10000);
    EXPECT_EQ(trading.buyAddButton.image, 1);
    ts::mouse(NEXT_X, NEXT_Y, true);  // slides onto next with the button held
    ts::runTurns(5);
    EXPECT_EQ(trading.buySelected, 1);
    // Leaving the area keeps the latch: back over add, still held, adds nothing.
    ts::mouse(ADD_X, ADD_Y, true);
    ts::runTurns(3);
    EXPECT_EQ(trading.buyOrder[1], 0);
    ts::mouse(ADD_X, ADD_Y, false);
    ts::runTurns(1);
    EXPECT_EQ(trading.buyAddButton.image, 0);
    ts::mouse(ADD_X, ADD_Y, true);
    ts::runTurns(1);
    EXPECT_EQ(trading.buyOrder[1], 10000);
}

TEST(TradingBuy, AfterTheDecisionOnlyBrowsingAndBackWork) {
    openBuyScreen(1000);
    ts::click(NEXT_X, NEXT_Y);
    ts::click(ADD_X, ADD_Y);
    pressOnce(BACK_X, BACK_Y);  // back before deciding does nothing
    EXPECT_EQ(loop.GameScene, SCENE_BUY);
    ts::click(DECIDE_X, DECIDE_Y);
    EXPECT_EQ(Player.cash, 1000 - 101);
    ts::click(ADD_X, ADD_Y);
    ts::click(REMOVE_X, REMOVE_Y);
    ts::click(DECIDE_X, DECIDE_Y);
    EXPECT_EQ(trading.buyOrder[0], 0);
    EXPECT_EQ(trading.buyOrder[1], 10000);
    EXPECT_EQ(Player.cash, 1000 - 101);
    EXPECT_EQ(trading.buyListCount, 1);
    // The decide button shows pressed while held, even though it no longer acts.
    ts::mouse(DECIDE_X, DECIDE_Y, true);
    ts::runTurns(1);
    EXPECT_EQ(trading.buyDecideButton.image, 1);
    ts::mouse(DECIDE_X, DECIDE_Y, false);
    ts::runTurns(1);
    ts::click(NEXT_X, NEXT_Y);
    EXPECT_EQ(trading.buySelected, 1);
}

TEST(TradingBuy, BackRaisesEachBoughtCompanyAndTheStockValue) {
    openBuyScreen(1000);
    ListedCompanies[0].price = 100;
    ListedCompanies[4].price = 40;
    for (int i = 0; i < 3; ++i) ts::click(ADD_X, ADD_Y);
    showCompany(4);
    ts::click(ADD_X, ADD_Y);
    ts::click(DECIDE_X, DECIDE_Y);
    EXPECT_EQ(Player.cash, 1000 - 340);
    PortfolioValue.stockValue = 7;

    seedRandom(4242);
    const int32_t rise0 = 1 + nextRandom() % 5;
    const int32_t rise4 = 1 + nextRandom() % 5;
    seedRandom(4242);
    ts::mouse(BACK_X, BACK_Y, true);
    ts::runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    EXPECT_EQ(ListedCompanies[0].price, 100 + rise0);
    EXPECT_GE(ListedCompanies[0].price, 101);
    EXPECT_LE(ListedCompanies[0].price, 105);
    EXPECT_EQ(ListedCompanies[4].price, 40 + rise4);
    EXPECT_EQ(PortfolioValue.stockValue, 7 + 3 * (100 + rise0) + (40 + rise4));
    EXPECT_EQ(PortfolioValue.everBought, 1);
    char expected[100];
    std::snprintf(expected, sizeof expected, "ただいまの株価値 %ld0000円",
                  static_cast<long>(PortfolioValue.stockValue));
    EXPECT_STREQ(PortfolioValue.stockValueText, expected);
    EXPECT_EQ(Holdings[0].shares, 30000);
    EXPECT_EQ(Holdings[4].shares, 10000);
    // The screen is back in its ordering state for the next visit.
    EXPECT_EQ(trading.buyDecided, 0);
    EXPECT_EQ(trading.buyTotal, 0u);
    EXPECT_EQ(trading.buyListCount, 0);
    EXPECT_EQ(trading.buyRevealTimer, 0);
    EXPECT_STREQ(trading.buyTotalText, "総額 00000円");
    for (int i = 0; i < SLOTS; ++i) EXPECT_EQ(trading.buyOrder[i], 0);
}

TEST(TradingBuy, LongListKeepsTheRuleInsideTheBackBuffer) {
    openBuyScreen(100000);
    for (int i = 0; i < 16; ++i) {
        ts::click(ADD_X, ADD_Y);
        ts::click(NEXT_X, NEXT_Y);
    }
    // Every other surface is left untouched by the frames that follow.
    const Surface* others[] = {&devices.gameMainSurface, &devices.hyoshoSurface, &devices.syasinSurface,
                               &devices.ukeSurface,      &devices.kounyuSurface, &devices.shienSurface,
                               &devices.spriteSheet,     &devices.overSurface,   &devices.editSurface,
                               &devices.workSurface,     &devices.rankingSurface};
    auto checksum = [&others] {
        uint64_t sum = 0;
        for (const Surface* s : others) {
            for (int i = 0; i < s->pitch * s->height; ++i) sum = sum * 31 + s->pixels[i];
        }
        return sum;
    };
    const uint64_t before = checksum();
    ts::click(DECIDE_X, DECIDE_Y);
    ASSERT_EQ(trading.buyListCount, 16);
    ts::mouse(320, 300, false);
    ts::runTurns(15 * 16 + 5);  // rule row 530 lies below the screen: skipped
    EXPECT_EQ(loop.GameScene, SCENE_BUY);
    EXPECT_EQ(checksum(), before);
    ts::saveScreen("trading_buy_long_list");
}

TEST(TradingBuy, FailedLockSkipsTheRule) {
    openBuyScreen(0);
    headless::setLocksFail(true);
    ts::click(DECIDE_X, DECIDE_Y);
    EXPECT_FALSE(ruleOnRow(210));
    headless::setLocksFail(false);
    ts::runTurns(1);
    EXPECT_TRUE(ruleOnRow(210));
}

TEST(TradingBuy, ButtonsShowTheirImages) {
    openBuyScreen(1000);
    EXPECT_TRUE(spriteShown(150, 110, Rect{0, 28, 66, 65}));
    EXPECT_TRUE(spriteShown(400, 110, Rect{0, 65, 66, 102}));
    EXPECT_TRUE(spriteShown(440, 157, Rect{202, 103, 236, 118}));
    EXPECT_TRUE(spriteShown(440, 177, Rect{202, 118, 236, 133}));
    EXPECT_TRUE(spriteShown(230, 430, Rect{0, 102, 66, 139}));
    EXPECT_TRUE(spriteShown(370, 430, Rect{0, 139, 66, 176}));
    // Pressed at the far corner of its range, so the cursor does not cover it.
    ts::mouse(474, 174, true);
    ts::runTurns(2);
    EXPECT_EQ(trading.buyOrder[0], 10000);
    EXPECT_TRUE(spriteShown(440, 157, Rect{236, 103, 270, 118}));
    ts::mouse(216, 147, true);
    ts::runTurns(2);
    EXPECT_TRUE(spriteShown(150, 110, Rect{67, 28, 133, 65}));
    ts::mouse(296, 467, true);
    ts::runTurns(2);
    EXPECT_TRUE(spriteShown(230, 430, Rect{67, 102, 133, 139}));
    ts::mouse(436, 467, false);
    ts::runTurns(1);
    EXPECT_TRUE(spriteShown(370, 430, Rect{0, 139, 66, 176}));
    ts::saveScreen("trading_buy_pressed");
}
