// SPDX-License-Identifier: GPL-2.0-or-later
// The support screen driven by scripted mouse input on the headless backend.
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

constexpr int PREV_X = 153, PREV_Y = 328;
constexpr int NEXT_X = 503, NEXT_Y = 328;
constexpr int ADD_X = 257, ADD_Y = 365;
constexpr int REMOVE_X = 257, REMOVE_Y = 385;
constexpr int CONFIRM_X = 263, CONFIRM_Y = 448;
constexpr int BACK_X = 403, BACK_Y = 448;

void setCash(int32_t cash) {
    Player.cash = cash;
    std::snprintf(Player.cashText, sizeof Player.cashText, "%ld0000円", static_cast<long>(cash));
}

void openSupportScreen(int32_t cash) {
    ts::freshStartedRun();
    for (int i = 0; i < SLOTS; ++i) {
        std::snprintf(ListedCompanies[i].name, sizeof ListedCompanies[i].name, "%s", catalogNames[i]);
        ListedCompanies[i].price = 120;
    }
    setCash(cash);
    loop.GameScene = SCENE_SUPPORT;
    ts::mouse(320, 200, false);
    ts::runTurns(1);
}

// A seed whose first draw r gives r mod n == 0 (wanted) or not.
uint32_t seedFor(int32_t n, bool success) {
    for (uint32_t seed = 1;; ++seed) {
        seedRandom(seed);
        if ((nextRandom() % n == 0) == success) return seed;
    }
}

}  // namespace

TEST(TradingSupport, TenPressesPledgeTheMostAndTheEleventhIsRefused) {
    openSupportScreen(200);
    for (int i = 0; i < 10; ++i) ts::click(ADD_X, ADD_Y);
    EXPECT_EQ(trading.supportAmount[0], 10);
    EXPECT_EQ(trading.supportTotal, 10);
    EXPECT_STREQ(trading.supportTotalText, "総額 100000円");
    ts::click(ADD_X, ADD_Y);
    EXPECT_EQ(trading.supportAmount[0], 10);
    EXPECT_EQ(trading.supportTotal, 10);
    EXPECT_STREQ(trading.supportTotalText, "総額 100000円");
    EXPECT_STREQ(trading.supportAmountText, "100000円");
    ts::saveScreen("trading_support_pledged");
}

TEST(TradingSupport, AddStopsAtTheCash) {
    openSupportScreen(3);
    for (int i = 0; i < 4; ++i) ts::click(ADD_X, ADD_Y);
    EXPECT_EQ(trading.supportTotal, 3);
    EXPECT_EQ(trading.supportAmount[0], 3);

    openSupportScreen(0);
    ts::click(ADD_X, ADD_Y);
    EXPECT_EQ(trading.supportTotal, 0);
    EXPECT_EQ(trading.supportLocked, 0);
    EXPECT_EQ(trading.supportAddButton.latch, 0);  // the refused press leaves the latch clear
}

TEST(TradingSupport, APledgeLocksTheArrowsUntilItIsTakenBack) {
    openSupportScreen(100);
    ts::click(NEXT_X, NEXT_Y);
    EXPECT_EQ(trading.supportSelected, 1);
    ts::click(ADD_X, ADD_Y);
    ts::click(ADD_X, ADD_Y);
    ts::click(REMOVE_X, REMOVE_Y);
    EXPECT_EQ(trading.supportAmount[1], 1);
    EXPECT_EQ(trading.supportTotal, 1);
    EXPECT_EQ(trading.supportLocked, 1);
    EXPECT_EQ(trading.supportPrevButton.image, 2);
    EXPECT_EQ(trading.supportNextButton.image, 2);
    ts::click(NEXT_X, NEXT_Y);
    ts::click(PREV_X, PREV_Y);
    EXPECT_EQ(trading.supportSelected, 1);
    EXPECT_EQ(trading.supportNextButton.image, 2);  // the disabled arrow ignores the mouse
    ts::saveScreen("trading_support_locked");
    ts::click(REMOVE_X, REMOVE_Y);
    EXPECT_EQ(trading.supportAmount[1], 0);
    EXPECT_EQ(trading.supportLocked, 0);
    EXPECT_EQ(trading.supportPrevButton.image, 0);
    EXPECT_EQ(trading.supportNextButton.image, 0);
    ts::click(REMOVE_X, REMOVE_Y);  // nothing pledged: no change
    EXPECT_EQ(trading.supportTotal, 0);
    EXPECT_STREQ(trading.supportTotalText, "総額 00000円");
    ts::click(NEXT_X, NEXT_Y);
    EXPECT_EQ(trading.supportSelected, 2);
}

TEST(TradingSupport, BrowsingWrapsBothWays) {
    openSupportScreen(100);
    ts::click(PREV_X, PREV_Y);
    EXPECT_EQ(trading.supportSelected, 29);
    ts::click(NEXT_X, NEXT_Y);
    EXPECT_EQ(trading.supportSelected, 0);
}

TEST(TradingSupport, FiftyThousandYenSuccess) {
    openSupportScreen(200);
    for (int i = 0; i < 4; ++i) ts::click(NEXT_X, NEXT_Y);
    for (int i = 0; i < 5; ++i) ts::click(ADD_X, ADD_Y);
    seedRandom(seedFor(7, true));
    pressOnce(CONFIRM_X, CONFIRM_Y);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    EXPECT_EQ(ListedCompanies[4].price, 126);
    EXPECT_EQ(Player.cash, 195);
    EXPECT_STREQ(Player.cashText, "　　 1950000円");
    char expected[256];
    std::snprintf(expected, sizeof expected, "%sへの支援が成功しました,", ListedCompanies[4].name);
    EXPECT_STREQ(market.supportMessage, expected);
    EXPECT_EQ(market.supportShowing, 1);
    EXPECT_EQ(trading.supportAmount[4], 0);
    EXPECT_EQ(trading.supportSelected, 0);
    EXPECT_EQ(trading.supportTotal, 0);
    EXPECT_EQ(trading.supportLocked, 0);
    EXPECT_EQ(trading.supportPrevButton.image, 0);
    EXPECT_EQ(trading.supportNextButton.image, 0);
    EXPECT_STREQ(trading.supportTotalText, "総額 00000円");
}

TEST(TradingSupport, FailureSpendsTheMoneyAndLeavesThePrice) {
    openSupportScreen(200);
    for (int i = 0; i < 10; ++i) ts::click(ADD_X, ADD_Y);
    seedRandom(seedFor(2, false));
    pressOnce(CONFIRM_X, CONFIRM_Y);
    EXPECT_EQ(ListedCompanies[0].price, 120);
    EXPECT_EQ(Player.cash, 190);
    char expected[256];
    std::snprintf(expected, sizeof expected, "%sへの支援が失敗しました,", ListedCompanies[0].name);
    EXPECT_STREQ(market.supportMessage, expected);
    EXPECT_EQ(market.supportShowing, 1);
}

TEST(TradingSupport, ChanceFollowsTheAmount) {
    // One pledge of each amount against the same draw: success exactly when
    // r mod (12 - a) is 0, with a bonus of a + 1.
    for (int32_t amount = 1; amount <= 10; ++amount) {
        openSupportScreen(50);
        for (int i = 0; i < amount; ++i) ts::click(ADD_X, ADD_Y);
        ASSERT_EQ(trading.supportTotal, amount);
        seedRandom(static_cast<uint32_t>(1000 + amount));
        const bool success = nextRandom() % (12 - amount) == 0;
        seedRandom(static_cast<uint32_t>(1000 + amount));
        pressOnce(CONFIRM_X, CONFIRM_Y);
        EXPECT_EQ(ListedCompanies[0].price, success ? 120 + amount + 1 : 120) << amount;
        EXPECT_EQ(Player.cash, 50 - amount);
    }
}

TEST(TradingSupport, ConfirmWithNothingPledged) {
    openSupportScreen(200);
    std::snprintf(market.supportMessage, sizeof market.supportMessage, "%s", "earlier");
    const uint32_t stateBefore = rng.randomState;
    pressOnce(CONFIRM_X, CONFIRM_Y);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    EXPECT_EQ(rng.randomState, stateBefore);
    EXPECT_EQ(Player.cash, 200);
    EXPECT_STREQ(Player.cashText, "　　 2000000円");
    EXPECT_EQ(market.supportShowing, 1);
    EXPECT_STREQ(market.supportMessage, "earlier");
    // The confirm button stays pressed into the next visit until released over it.
    EXPECT_EQ(trading.supportConfirmButton.image, 1);
}

TEST(TradingSupport, BackLeavesTheCashAndResetsTheShownCompany) {
    openSupportScreen(200);
    for (int i = 0; i < 6; ++i) ts::click(NEXT_X, NEXT_Y);
    ts::click(ADD_X, ADD_Y);
    ts::click(ADD_X, ADD_Y);
    ts::mouse(BACK_X, BACK_Y, true);
    ts::runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    EXPECT_EQ(Player.cash, 200);
    EXPECT_EQ(trading.supportSelected, 0);
    EXPECT_EQ(trading.supportAmount[6], 0);
    EXPECT_EQ(trading.supportTotal, 0);
    EXPECT_EQ(trading.supportLocked, 0);
    EXPECT_EQ(market.supportShowing, 0);
    EXPECT_EQ(trading.supportBackButton.image, 0);
    EXPECT_EQ(trading.supportPrevButton.image, 0);
    EXPECT_EQ(ListedCompanies[6].price, 120);
}

TEST(TradingSupport, HeldAddPledgesOnce) {
    openSupportScreen(200);
    ts::mouse(ADD_X, ADD_Y, true);
    ts::runTurns(8);
    EXPECT_EQ(trading.supportTotal, 1);
}

TEST(TradingSupport, ButtonsShowTheirImages) {
    openSupportScreen(100);
    EXPECT_TRUE(spriteShown(120, 310, Rect{0, 28, 66, 65}));
    EXPECT_TRUE(spriteShown(470, 310, Rect{0, 65, 66, 102}));
    EXPECT_TRUE(spriteShown(240, 357, Rect{202, 103, 236, 118}));
    EXPECT_TRUE(spriteShown(240, 377, Rect{202, 118, 236, 133}));
    EXPECT_TRUE(spriteShown(230, 430, Rect{0, 102, 66, 139}));
    EXPECT_TRUE(spriteShown(370, 430, Rect{0, 139, 66, 176}));
    ts::mouse(274, 374, true);
    ts::runTurns(2);
    EXPECT_EQ(trading.supportTotal, 1);
    EXPECT_TRUE(spriteShown(240, 357, Rect{236, 103, 270, 118}));
    EXPECT_TRUE(spriteShown(120, 310, Rect{335, 28, 401, 65}));
    EXPECT_TRUE(spriteShown(470, 310, Rect{335, 65, 401, 102}));
    ts::mouse(274, 394, true);
    ts::runTurns(2);
    EXPECT_EQ(trading.supportTotal, 0);
    EXPECT_TRUE(spriteShown(240, 377, Rect{236, 118, 270, 133}));
    EXPECT_TRUE(spriteShown(120, 310, Rect{0, 28, 66, 65}));
    ts::mouse(186, 347, true);
    ts::runTurns(2);
    EXPECT_TRUE(spriteShown(120, 310, Rect{67, 28, 133, 65}));
}

TEST(TradingSupport, ConfirmStaysPressedIntoTheNextVisit) {
    openSupportScreen(100);
    ts::mouse(296, 467, true);
    ts::runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    loop.GameScene = SCENE_SUPPORT;
    ts::mouse(320, 200, false);
    ts::runTurns(1);
    EXPECT_TRUE(spriteShown(230, 430, Rect{67, 102, 133, 139}));
    ts::mouse(296, 467, false);
    ts::runTurns(2);
    EXPECT_TRUE(spriteShown(230, 430, Rect{0, 102, 66, 139}));
    ts::saveScreen("trading_support_visit");
}
