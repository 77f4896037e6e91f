// SPDX-License-Identifier: GPL-2.0-or-later
// The trading screens reached from the market's button column and back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "core/devices.h"
#include "core/rng.h"
#include "core/scenes.h"
#include "market/market_state.h"
#include "state/records.h"
#include "support/test_support.h"
#include "trading/trading_state.h"

namespace ts = testing_support;

using testing_support::pressOnce;
using testing_support::spriteShown;

namespace {

// Market column (x 550 to 617).
constexpr int COLUMN_X = 583;
constexpr int MARKET_BUY_Y = 68, MARKET_HOLDINGS_Y = 118, MARKET_SUPPORT_Y = 168;
constexpr int PARK_X = 300, PARK_Y = 470;

void startMarket() {
    ts::freshStartedRun();
    for (int32_t slot = 0; slot < SLOTS; ++slot) {
        std::strcpy(ListedCompanies[slot].name, catalogNames[slot]);
        ListedCompanies[slot].price = 100 + slot;
        std::snprintf(session.priceText[slot], sizeof session.priceText[slot], "%d",
                      ListedCompanies[slot].price);
        CatalogIndex[slot] = slot;
        CompanyCatalog[slot].listed = 1;
        Holdings[slot].shares = 0;
    }
    std::strcpy(Player.playerName, "かぶぬし");
    Player.cash = 200;
    std::strcpy(Player.cashText, "2000000円");
    Calendar = CalendarRecord{2003, 1, 1, 5};
    std::strcpy(session.yearsLeftText, "あと5年");
    loop.GameScene = SCENE_MARKET;
    ts::mouse(PARK_X, PARK_Y, false);
    ts::runTurns(50);  // past the entrance transition
}

// Back on the market: the entrance transition plays, then the board runs again.
void settleOnMarket() {
    ts::mouse(PARK_X, PARK_Y, false);
    ASSERT_EQ(loop.GameScene, SCENE_MARKET);
    ts::runTurns(50);
    ASSERT_EQ(loop.GameScene, SCENE_MARKET);
}

}  // namespace

TEST(TradingRoad, BuyFromTheMarketAndBack) {
    startMarket();
    pressOnce(COLUMN_X, MARKET_BUY_Y);
    ASSERT_EQ(loop.GameScene, SCENE_BUY);
    ts::click(457, 165);  // add a lot of company 0 at 100
    ts::click(263, 448);  // decide
    EXPECT_EQ(Player.cash, 100);
    ts::runTurns(20);
    ts::saveScreen("trading_road_buy");
    pressOnce(403, 448);  // back
    EXPECT_GE(ListedCompanies[0].price, 101);
    EXPECT_LE(ListedCompanies[0].price, 105);
    EXPECT_EQ(PortfolioValue.everBought, 1);
    settleOnMarket();
    EXPECT_EQ(Holdings[0].shares, 10000);
    ts::saveScreen("trading_road_market_after_buy");
}

TEST(TradingRoad, HoldingsToSellAndBack) {
    startMarket();
    Holdings[3].shares = 20000;
    TradeRows[3].bought = 1;
    pressOnce(COLUMN_X, MARKET_HOLDINGS_Y);
    ASSERT_EQ(loop.GameScene, SCENE_HOLDINGS);
    ts::runTurns(2);
    EXPECT_STREQ(Holdings[3].sharesText, "20000株");
    pressOnce(133, 448);
    ASSERT_EQ(loop.GameScene, SCENE_SELL);
    ts::mouse(PARK_X, 300, false);
    for (int i = 0; i < 3; ++i) ts::click(433, 148);
    ASSERT_EQ(trading.sellSelected, 3);
    ts::click(487, 184);
    ts::click(487, 184);
    ts::mouse(PARK_X, 300, false);
    ts::runTurns(1);
    ts::saveScreen("trading_road_sell");
    EXPECT_EQ(trading.sellProceeds, 2 * 103);
    pressOnce(263, 448);  // confirm
    EXPECT_EQ(Player.cash, 200 + 206);
    EXPECT_LT(ListedCompanies[3].price, 103);
    settleOnMarket();
    EXPECT_EQ(Holdings[3].shares, 0);
}

TEST(TradingRoad, SupportResultIsShownOnTheMarket) {
    startMarket();
    pressOnce(COLUMN_X, MARKET_SUPPORT_Y);
    ASSERT_EQ(loop.GameScene, SCENE_SUPPORT);
    ts::click(503, 328);  // company 1
    ts::click(257, 365);
    ts::click(257, 365);
    ts::mouse(PARK_X, 300, false);
    ts::runTurns(1);
    ts::saveScreen("trading_road_support");
    pressOnce(263, 448);
    EXPECT_EQ(Player.cash, 198);
    EXPECT_EQ(market.supportShowing, 1);
    EXPECT_NE(market.supportMessage[0], '\0');
    ts::mouse(PARK_X, PARK_Y, false);
    ts::runTurns(50);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    ts::saveScreen("trading_road_support_message");
    // While the result is shown the support button does not reopen the screen.
    pressOnce(COLUMN_X, MARKET_SUPPORT_Y);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
}
