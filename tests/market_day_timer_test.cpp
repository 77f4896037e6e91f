// SPDX-License-Identifier: GPL-2.0-or-later
// The day timer through the real main loop on the virtual clock: the loop
// sleeps while the market has nothing due and counts that time at 1,000 turns
// per millisecond, so a day is 3,000 ms of market time on any machine.
#include <gtest/gtest.h>

#include "core/main_loop.h"
#include "core/scenes.h"
#include "frontend/front_state.h"
#include "market/market.h"
#include "market/market_state.h"
#include "state/records.h"
#include "support/test_support.h"

namespace {

using testing_support::mouse;

void startMarket(int32_t month, int32_t day) {
    testing_support::freshStartedRun();
    startNewGame();
    Calendar = CalendarRecord{2003, month, day, 5};
    loop.GameScene = SCENE_MARKET;
}

// Loop turns with the clock moving 1 ms before each, until the day changes or
// `maxMs` have passed; gives the milliseconds it took.
// Also keeps the longest wait the loop asked for.
uint32_t longestWait = 0;
uint32_t playUntilNextDay(uint32_t maxMs) {
    const int32_t day = Calendar.day;
    const uint32_t start = timeGetTime();
    while (Calendar.day == day && timeGetTime() - start < maxMs) {
        headless::advanceTime(1);
        if (mainLoopTurn() == TurnOutcome::Waiting) {
            const uint32_t wait = mainLoopDueAt() - timeGetTime();
            if (wait > longestWait) longestWait = wait;
        }
    }
    return timeGetTime() - start;
}

TEST(DayTimer, ADayIsThreeSecondsOfMarketTimeAndFastForwardEndsOne) {
    startMarket(3, 1);
    playUntilNextDay(10000);
    // From one day change to the next: 3,000 ms, ended by the first market
    // frame (every 33 ms) after the count is reached.
    const uint32_t dayMs = playUntilNextDay(10000);
    EXPECT_GE(dayMs, 3000u);
    EXPECT_LE(dayMs, 3033u);
    // Between market frames the loop waited for the next one to come due.
    EXPECT_GT(longestWait, 0u);
    EXPECT_LE(longestWait, 33u);

    // Halfway through a day the fast-forward button, seen on a market frame,
    // ends it on the next one, and the new day is a whole one.
    playUntilNextDay(1500);
    ASSERT_EQ(Calendar.day, 3);
    mouse(583, 318, true);
    EXPECT_LE(playUntilNextDay(10000), 67u);
    EXPECT_EQ(Calendar.day, 4);
    mouse(583, 318, false);
    mouse(300, 300, false);
    const uint32_t nextDayMs = playUntilNextDay(10000);
    EXPECT_GE(nextDayMs, 2990u);
    EXPECT_LE(nextDayMs, 3033u);
    EXPECT_EQ(Calendar.day, 5);
}

TEST(DayTimer, CompanyNewsComesOnItsDateAndMovesThePriceTheNextDay) {
    startMarket(1, 5);
    playUntilNextDay(10000);
    ASSERT_EQ(Calendar.day, 6);
    headless::advanceTime(40);
    mainLoopTurn();
    mainLoopTurn();
    EXPECT_EQ(market.newsMode, 1);  // the company headline of 6 January
    const int32_t company = market.newsCompany;
    const int32_t before = ListedCompanies[company].price;
    for (int32_t flag : market.newsApplied) EXPECT_EQ(flag, 0);

    playUntilNextDay(10000);
    ASSERT_EQ(Calendar.day, 7);
    headless::advanceTime(40);
    mainLoopTurn();
    mainLoopTurn();
    int applied = 0;
    for (int32_t flag : market.newsApplied) applied += flag;
    EXPECT_EQ(applied, 1);
    EXPECT_NE(ListedCompanies[company].price, before);
    EXPECT_EQ(market.newsMode, 0);
}

}  // namespace
