// SPDX-License-Identifier: GPL-2.0-or-later
// The sell screen driven by scripted mouse input on the headless backend.
#include <gtest/gtest.h>

#include <cstdio>

#include "core/devices.h"
#include "core/rng.h"
#include "core/scenes.h"
#include "platform/headless/headless.h"
#include "state/records.h"
#include "support/test_support.h"
#include "trading/trading_state.h"

namespace ts = testing_support;

using testing_support::pressOnce;
using testing_support::spriteShown;

namespace {

constexpr int PREV_X = 213, PREV_Y = 148;
constexpr int NEXT_X = 433, NEXT_Y = 148;
constexpr int LOT_X = 487, LOT_Y = 184;
constexpr int TAKE_BACK_X = 487, TAKE_BACK_Y = 204;
constexpr int CONFIRM_X = 263, CONFIRM_Y = 448;
constexpr int CANCEL_X = 403, CANCEL_Y = 448;

void setCash(int32_t cash) {
    Player.cash = cash;
    std::snprintf(Player.cashText, sizeof Player.cashText, "%ld0000円", static_cast<long>(cash));
}

// A started run on the sell screen; companies priced 50 + slot, nothing held.
void openSellScreen() {
    ts::freshStartedRun();
    for (int i = 0; i < SLOTS; ++i) {
        std::snprintf(ListedCompanies[i].name, sizeof ListedCompanies[i].name, "%s", catalogNames[i]);
        ListedCompanies[i].price = 50 + i;
        Holdings[i].shares = 0;
    }
    setCash(100);
    loop.GameScene = SCENE_SELL;
    ts::mouse(320, 300, false);
    ts::runTurns(1);
}

void hold(int slot, int32_t shares) {
    Holdings[slot].shares = shares;
    TradeRows[slot].bought = 1;
}

void showCompany(int slot) {
    while (trading.sellSelected != slot) ts::click(NEXT_X, NEXT_Y);
}

}  // namespace

TEST(TradingSell, ThreeLotsSoldAndTheFourthRefused) {
    openSellScreen();
    hold(0, 30000);
    for (int i = 0; i < 3; ++i) ts::click(LOT_X, LOT_Y);
    EXPECT_EQ(Holdings[0].shares, 0);
    EXPECT_EQ(TradeRows[0].sellOrder, 30000);
    EXPECT_EQ(TradeRows[0].sellPending, 1);
    EXPECT_EQ(trading.sellProceeds, 150);
    EXPECT_STREQ(trading.sellProceedsText, "1500000円");
    ts::saveScreen("trading_sell_staged");

    // The refused press changes nothing, not even the latch.
    ts::mouse(LOT_X, LOT_Y, true);
    ts::runTurns(1);
    EXPECT_EQ(TradeRows[0].sellOrder, 30000);
    EXPECT_EQ(trading.sellProceeds, 150);
    EXPECT_EQ(trading.sellLotButton.latch, 0);
    EXPECT_EQ(trading.sellLotButton.image, 0);
    ts::mouse(320, 300, false);
    ts::runTurns(1);
    EXPECT_STREQ(TradeRows[0].sharesText, "0");

    seedRandom(99);
    const int32_t fall = 1 + nextRandom() % 10;
    seedRandom(99);
    pressOnce(CONFIRM_X, CONFIRM_Y);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    EXPECT_EQ(ListedCompanies[0].price, 50 - fall);
    EXPECT_EQ(Player.cash, 250);
    EXPECT_STREQ(Player.cashText, "2500000円");
    EXPECT_EQ(TradeRows[0].sellOrder, 0);
    EXPECT_EQ(TradeRows[0].sellPending, 0);
    EXPECT_EQ(trading.sellProceeds, 0);
    EXPECT_STREQ(trading.sellProceedsText, "00000円");
    EXPECT_EQ(Holdings[0].shares, 0);
}

TEST(TradingSell, HeldPressSellsOneLot) {
    openSellScreen();
    hold(0, 50000);
    ts::mouse(LOT_X, LOT_Y, true);
    ts::runTurns(10);
    EXPECT_EQ(TradeRows[0].sellOrder, 10000);
    EXPECT_EQ(Holdings[0].shares, 40000);
}

TEST(TradingSell, OnlyCompaniesBoughtOnTheBuyScreen) {
    openSellScreen();
    Holdings[0].shares = 20000;  // held, but never bought on the buy screen
    ts::click(LOT_X, LOT_Y);
    EXPECT_EQ(TradeRows[0].sellOrder, 0);
    EXPECT_EQ(Holdings[0].shares, 20000);
    TradeRows[1].bought = 1;  // bought once, none held now
    showCompany(1);
    ts::click(LOT_X, LOT_Y);
    EXPECT_EQ(TradeRows[1].sellOrder, 0);
    EXPECT_EQ(trading.sellProceeds, 0);
}

TEST(TradingSell, SellThenTakeBackRestoresEverything) {
    openSellScreen();
    hold(3, 20000);
    showCompany(3);
    ts::click(LOT_X, LOT_Y);
    EXPECT_EQ(trading.sellProceeds, 53);
    ts::click(TAKE_BACK_X, TAKE_BACK_Y);
    EXPECT_EQ(Holdings[3].shares, 20000);
    EXPECT_EQ(TradeRows[3].sellOrder, 0);
    EXPECT_EQ(TradeRows[3].sellPending, 0);
    EXPECT_EQ(trading.sellProceeds, 0);
    ts::click(TAKE_BACK_X, TAKE_BACK_Y);  // nothing staged: refused
    EXPECT_EQ(Holdings[3].shares, 20000);
    EXPECT_EQ(trading.sellProceeds, 0);
    const uint32_t stateBefore = rng.randomState;
    pressOnce(CONFIRM_X, CONFIRM_Y);
    EXPECT_EQ(ListedCompanies[3].price, 53);
    EXPECT_EQ(Player.cash, 100);
    EXPECT_EQ(rng.randomState, stateBefore);
}

TEST(TradingSell, CancelRestoresTwoCompanies) {
    openSellScreen();
    hold(2, 30000);
    hold(7, 10000);
    showCompany(2);
    ts::click(LOT_X, LOT_Y);
    ts::click(LOT_X, LOT_Y);
    showCompany(7);
    ts::click(LOT_X, LOT_Y);
    showCompany(9);
    EXPECT_EQ(trading.sellProceeds, 2 * 52 + 57);
    EXPECT_EQ(Holdings[2].shares, 10000);
    EXPECT_EQ(Holdings[7].shares, 0);
    pressOnce(CANCEL_X, CANCEL_Y);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    EXPECT_EQ(Holdings[2].shares, 30000);
    EXPECT_EQ(Holdings[7].shares, 10000);
    EXPECT_EQ(trading.sellProceeds, 0);
    EXPECT_STREQ(trading.sellProceedsText, "00000円");
    EXPECT_EQ(Player.cash, 100);
    EXPECT_EQ(ListedCompanies[2].price, 52);
    EXPECT_EQ(ListedCompanies[7].price, 57);
    for (const TradeRow& row : TradeRows) {
        EXPECT_EQ(row.sellOrder, 0);
        EXPECT_EQ(row.sellPending, 0);
    }
    // A cancelled visit reopens on the same company.
    EXPECT_EQ(trading.sellSelected, 9);
    loop.GameScene = SCENE_SELL;
    ts::runTurns(1);
    EXPECT_EQ(trading.sellSelected, 9);
}

TEST(TradingSell, ConfirmWithNothingStaged) {
    openSellScreen();
    hold(4, 10000);
    showCompany(4);
    const uint32_t stateBefore = rng.randomState;
    pressOnce(CONFIRM_X, CONFIRM_Y);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    EXPECT_EQ(Player.cash, 100);
    EXPECT_EQ(rng.randomState, stateBefore);
    for (int i = 0; i < SLOTS; ++i) EXPECT_EQ(ListedCompanies[i].price, 50 + i);
    EXPECT_EQ(trading.sellSelected, 0);
    EXPECT_EQ(Holdings[4].shares, 10000);
}

TEST(TradingSell, PricesFallWithoutALowerBound) {
    openSellScreen();
    hold(0, 10000);
    ListedCompanies[0].price = 5;
    ts::click(LOT_X, LOT_Y);
    pressOnce(CONFIRM_X, CONFIRM_Y);
    EXPECT_GE(ListedCompanies[0].price, -5);
    EXPECT_LE(ListedCompanies[0].price, 4);
    EXPECT_EQ(Player.cash, 105);
}

TEST(TradingSell, ConfirmMovesEveryPendingCompanyInOrder) {
    openSellScreen();
    hold(1, 10000);
    hold(6, 10000);
    showCompany(6);
    ts::click(LOT_X, LOT_Y);
    showCompany(1);
    ts::click(LOT_X, LOT_Y);
    seedRandom(7);
    const int32_t fall1 = 1 + nextRandom() % 10;
    const int32_t fall6 = 1 + nextRandom() % 10;
    seedRandom(7);
    pressOnce(CONFIRM_X, CONFIRM_Y);
    EXPECT_EQ(ListedCompanies[1].price, 51 - fall1);
    EXPECT_EQ(ListedCompanies[6].price, 56 - fall6);
    EXPECT_EQ(Player.cash, 100 + 51 + 56);
}

TEST(TradingSell, BrowsingWrapsAndFillsTheTradeRows) {
    openSellScreen();
    ts::click(PREV_X, PREV_Y);
    EXPECT_EQ(trading.sellSelected, 29);
    EXPECT_STREQ(trading.sellPriceText, "79");
    ts::click(NEXT_X, NEXT_Y);
    EXPECT_EQ(trading.sellSelected, 0);
    Holdings[12].shares = 40000;
    ts::runTurns(1);
    EXPECT_STREQ(TradeRows[12].name, ListedCompanies[12].name);
    EXPECT_STREQ(TradeRows[12].sharesText, "40000");
    EXPECT_STREQ(trading.sellOrderText, "0");
}

TEST(TradingSell, ButtonsShowTheirImages) {
    openSellScreen();
    hold(0, 20000);
    EXPECT_TRUE(spriteShown(180, 130, Rect{0, 28, 66, 65}));
    EXPECT_TRUE(spriteShown(400, 130, Rect{0, 65, 66, 102}));
    EXPECT_TRUE(spriteShown(470, 177, Rect{202, 103, 236, 118}));
    EXPECT_TRUE(spriteShown(470, 197, Rect{202, 118, 236, 133}));
    EXPECT_TRUE(spriteShown(230, 430, Rect{0, 102, 66, 139}));
    EXPECT_TRUE(spriteShown(370, 430, Rect{0, 139, 66, 176}));
    ts::mouse(504, 192, true);
    ts::runTurns(2);
    EXPECT_EQ(TradeRows[0].sellOrder, 10000);
    EXPECT_TRUE(spriteShown(470, 177, Rect{236, 103, 270, 118}));
    ts::mouse(504, 212, true);
    ts::runTurns(2);
    EXPECT_EQ(TradeRows[0].sellOrder, 0);
    EXPECT_TRUE(spriteShown(470, 197, Rect{236, 118, 270, 133}));
    ts::mouse(466, 167, true);
    ts::runTurns(2);
    EXPECT_TRUE(spriteShown(400, 130, Rect{67, 65, 133, 102}));
}
