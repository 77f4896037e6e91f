// SPDX-License-Identifier: GPL-2.0-or-later
// The holdings list: layout of the thirty lines and its two buttons.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "core/devices.h"
#include "core/scenes.h"
#include "state/records.h"
#include "support/test_support.h"
#include "trading/trading_state.h"

namespace ts = testing_support;

namespace {

constexpr int SELL_X = 133, SELL_Y = 448;
constexpr int BACK_X = 533, BACK_Y = 448;

void openHoldings() {
    ts::freshStartedRun();
    for (int i = 0; i < SLOTS; ++i) {
        std::snprintf(ListedCompanies[i].name, sizeof ListedCompanies[i].name, "%s", catalogNames[i]);
        ListedCompanies[i].price = 100;
        Holdings[i].shares = 0;
    }
    loop.GameScene = SCENE_HOLDINGS;
    ts::mouse(320, 300, false);
    ts::runTurns(1);
}

// Lit pixels of the last frame in a box (the background is index 0).
int litPixels(int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (ts::presentedPixel(x, y) != 0) ++count;
        }
    }
    return count;
}

}  // namespace

TEST(TradingHoldings, SharesTextsAndEveryCompanyListed) {
    openHoldings();
    Holdings[4].shares = 120000;
    ts::runTurns(1);
    EXPECT_STREQ(Holdings[4].sharesText, "120000株");
    EXPECT_STREQ(Holdings[0].sharesText, "0株");
    EXPECT_STREQ(Holdings[29].sharesText, "0株");
    ts::saveScreen("trading_holdings");
}

TEST(TradingHoldings, ALongCountIsCutToItsField) {
    openHoldings();
    Holdings[0].shares = 2000000000;
    ts::runTurns(1);
    EXPECT_EQ(Holdings[0].sharesText[sizeof Holdings[0].sharesText - 1], '\0');
    EXPECT_EQ(std::strncmp(Holdings[0].sharesText, "2000000000", 10), 0);
}

TEST(TradingHoldings, NineAndTenEndAndStartTheirColumns) {
    openHoldings();
    // Only companies 9 and 10 carry a name; everything else on those lines is blank.
    const int nameBox = 140;
    for (int i = 0; i < SLOTS; ++i) ListedCompanies[i].name[0] = '\0';
    ts::runTurns(1);
    EXPECT_EQ(litPixels(10, 405, 10 + nameBox, 430), 0);
    EXPECT_EQ(litPixels(220, 45, 220 + nameBox, 70), 0);

    std::snprintf(ListedCompanies[9].name, sizeof ListedCompanies[9].name, "%s", catalogNames[9]);
    std::snprintf(ListedCompanies[10].name, sizeof ListedCompanies[10].name, "%s", catalogNames[10]);
    ts::runTurns(1);
    EXPECT_GT(litPixels(10, 410, 10 + nameBox, 424), 0);   // company 9: x 10, y 410
    EXPECT_EQ(litPixels(10, 395, 10 + nameBox, 410), 0);   // nothing above its line
    EXPECT_GT(litPixels(220, 50, 220 + nameBox, 64), 0);   // company 10: x 220, y 50
    EXPECT_EQ(litPixels(220, 90, 220 + nameBox, 104), 0);  // line of company 11 is empty
    // Quantities: 0株 at x 160, 380 and 580.
    EXPECT_GT(litPixels(160, 410, 210, 424), 0);
    EXPECT_GT(litPixels(380, 50, 430, 64), 0);
    EXPECT_GT(litPixels(580, 410, 640, 424), 0);
}

TEST(TradingHoldings, BackActsOnAnyFrameWithTheButtonDown) {
    openHoldings();
    ts::mouse(BACK_X, BACK_Y, true);
    ts::runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    // No latch: coming back with the button still held leaves again at once.
    loop.GameScene = SCENE_HOLDINGS;
    ts::runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
}

TEST(TradingHoldings, SellLatchNeedsARelease) {
    openHoldings();
    ts::mouse(SELL_X, SELL_Y, true);
    ts::runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_SELL);
    EXPECT_EQ(trading.holdingsSellLatch, 1);
    // A later visit with the button still down over sell does not act.
    loop.GameScene = SCENE_HOLDINGS;
    ts::runTurns(3);
    EXPECT_EQ(loop.GameScene, SCENE_HOLDINGS);
    // Outside the area the latch keeps its value.
    ts::mouse(320, 300, false);
    ts::runTurns(1);
    EXPECT_EQ(trading.holdingsSellLatch, 1);
    ts::mouse(SELL_X, SELL_Y, true);
    ts::runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_HOLDINGS);
    ts::click(SELL_X, SELL_Y);  // a release over it first
    ts::mouse(SELL_X, SELL_Y, false);
    ts::runTurns(1);
    EXPECT_EQ(trading.holdingsSellLatch, 0);
    ts::mouse(SELL_X, SELL_Y, true);
    ts::runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_SELL);
}

TEST(TradingHoldings, ButtonEdgesAreInclusive) {
    openHoldings();
    ts::mouse(566, 467, true);
    ts::runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    loop.GameScene = SCENE_HOLDINGS;
    ts::mouse(567, 467, true);
    ts::runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_HOLDINGS);
    ts::mouse(100, 430, false);
    ts::runTurns(1);
    ts::mouse(100, 430, true);
    ts::runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_SELL);
}
