// SPDX-License-Identifier: GPL-2.0-or-later
// Price steps, bankruptcy, the stock value, the history, the calendar and the
// founding of companies.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/rng.h"
#include "core/scenes.h"
#include "market/market.h"
#include "market/market_state.h"
#include "state/catalog_rows.h"
#include "support/test_support.h"

namespace {

// A copy of the game's generator, to know the draws in advance.
struct Lcg {
    uint32_t state;
    int32_t next() {
        state = state * 214013u + 2531011u;
        return static_cast<int32_t>((state >> 16) & 0x7FFF);
    }
};

struct Move {
    int32_t size, direction;
};

// The thirty moves the next price step draws from a generator seeded with `seed`.
void predictMoves(uint32_t seed, Move (&moves)[SLOTS]) {
    Lcg lcg{seed};
    for (Move& move : moves) {
        move.size = lcg.next() % 3;
        move.direction = 1 + lcg.next() % 2;
    }
}

// A seed whose step gives `slot` the move (size, direction).
uint32_t seedFor(int32_t slot, int32_t size, int32_t direction) {
    for (uint32_t seed = 1;; ++seed) {
        Move moves[SLOTS];
        predictMoves(seed, moves);
        if (moves[slot].size == size && moves[slot].direction == direction) return seed;
    }
}

void setUpGame() {
    testing_support::freshStartedRun();
    for (int32_t slot = 0; slot < SLOTS; ++slot) {
        std::strcpy(ListedCompanies[slot].name, catalogNames[slot]);
        ListedCompanies[slot].price = 100 + slot;
        CatalogIndex[slot] = slot;
        CompanyCatalog[slot].listed = 1;
    }
    std::strcpy(Player.playerName, "かぶぬし");
    Player.cash = 200;
    std::strcpy(Player.cashText, "2000000円");
    Calendar = CalendarRecord{2003, 1, 1, 5};
    std::strcpy(session.yearsLeftText, "あと5年");
    loop.GameScene = SCENE_MARKET;
}

// Runs priceStep until it has made one step (60 counted calls).
void stepOnce() {
    market.stepTicks = PRICE_STEP_FRAMES - 1;
    priceStep();
}

TEST(PriceStep, CountsSixtyCallsAndSavesBeforeMoving) {
    setUpGame();
    seedRandom(77);
    Move moves[SLOTS];
    predictMoves(77, moves);
    for (int i = 0; i < PRICE_STEP_FRAMES - 1; ++i) priceStep();
    EXPECT_EQ(market.stepTicks, PRICE_STEP_FRAMES - 1);
    EXPECT_EQ(ListedCompanies[4].price, 104);
    EXPECT_TRUE(testing_support::readFile("savedat/data.txt").empty());

    priceStep();
    EXPECT_EQ(market.stepTicks, 0);
    EXPECT_EQ(PortfolioValue.stockValueSum, 0);
    const std::string saved = testing_support::readFile("savedat/data.txt");
    ASSERT_EQ(saved.size(), 3120u);
    int32_t savedPrice = 0;
    std::memcpy(&savedPrice, saved.data() + 104 * 4 + 100, 4);
    EXPECT_EQ(savedPrice, 104);  // the state from before the step
    for (int32_t slot = 0; slot < SLOTS; ++slot) {
        const int32_t sign = moves[slot].direction == 1 ? 1 : -1;
        EXPECT_EQ(ListedCompanies[slot].price, 100 + slot + sign * moves[slot].size) << slot;
        EXPECT_EQ(market.priceStepSize[slot], moves[slot].size);
        EXPECT_EQ(market.priceDirection[slot], moves[slot].direction);
        const int32_t mark = moves[slot].direction == 1 ? 1 : (moves[slot].size == 0 ? 0 : 2);
        EXPECT_EQ(session.priceMark[slot], mark) << slot;
        EXPECT_EQ(std::string(session.priceText[slot]), std::to_string(ListedCompanies[slot].price));
    }
}

TEST(PriceStep, PausedOrBuyingDoesNotCount) {
    setUpGame();
    market.marketPaused = 1;
    for (int i = 0; i < 100; ++i) priceStep();
    EXPECT_EQ(market.stepTicks, 0);
    market.marketPaused = 0;
    loop.GameScene = SCENE_BUY;
    priceStep();
    EXPECT_EQ(market.stepTicks, 0);
    loop.GameScene = SCENE_MARKET;
    priceStep();
    EXPECT_EQ(market.stepTicks, 1);
}

TEST(PriceStep, RiseStopsAtTheCeiling) {
    setUpGame();
    const uint32_t seed = seedFor(3, 2, 1);
    Move moves[SLOTS];
    predictMoves(seed, moves);
    ListedCompanies[3].price = 998;
    // a company already at 999 that rises stays there, marked as risen
    int32_t other = -1;
    for (int32_t slot = 0; slot < SLOTS; ++slot) {
        if (slot != 3 && moves[slot].direction == 1 && other < 0) other = slot;
    }
    ASSERT_GE(other, 0);
    ListedCompanies[other].price = 999;
    seedRandom(seed);
    stepOnce();
    EXPECT_EQ(ListedCompanies[3].price, 999);
    EXPECT_EQ(session.priceMark[3], 1);
    EXPECT_EQ(ListedCompanies[other].price, 999);
    EXPECT_EQ(session.priceMark[other], 1);
    EXPECT_STREQ(session.priceText[3], "999");
}

TEST(PriceStep, FallToZeroIsABankruptcyThatTakesTheShares) {
    setUpGame();
    const uint32_t seed = seedFor(6, 2, 2);
    ListedCompanies[6].price = 1;
    Holdings[6].shares = 20000;
    TradeRows[6].sellOrder = 10000;
    CatalogIndex[6] = 40;
    for (int i = 0; i < HISTORY_LENGTH; ++i) PriceHistory[6].history[i] = 5 + i;
    PriceHistory[6].historyCount = 9;
    seedRandom(seed);
    stepOnce();
    EXPECT_EQ(ListedCompanies[6].price, 0);
    EXPECT_STREQ(session.priceText[6], "0");
    EXPECT_EQ(Holdings[6].shares, 0);
    EXPECT_EQ(market.lostShares[6], 1);
    EXPECT_EQ(market.lostSharesSlot, 6);
    EXPECT_EQ(market.bankruptSlot, 6);
    EXPECT_EQ(market.bankruptRow, 40);
    EXPECT_EQ(TradeRows[6].sellOrder, 0);
    for (int i = 0; i < HISTORY_LENGTH; ++i) EXPECT_EQ(PriceHistory[6].history[i], 0);
    EXPECT_EQ(PriceHistory[6].historyCount, 9);
    EXPECT_EQ(GraphState.historyLoopIndex, HISTORY_LENGTH);
    EXPECT_EQ(market.marketPaused, 1);
    EXPECT_EQ(market.bankruptShowing, 1);
    EXPECT_EQ(std::string(market.bankruptMessage), std::string(catalogNames[6]) + "が倒産しました");
    EXPECT_EQ(std::string(market.lostSharesMessage), std::string(catalogNames[6]) + "の株を失いました");
    EXPECT_EQ(PortfolioValue.stockValue, 0);  // nothing counted for the lost shares
    // paused: no further steps
    for (int i = 0; i < 200; ++i) priceStep();
    EXPECT_EQ(market.stepTicks, 0);
}

TEST(PriceStep, PriceZeroFallingByZeroIsBankruptAgain) {
    setUpGame();
    const uint32_t seed = seedFor(12, 0, 2);
    ListedCompanies[12].price = 0;
    seedRandom(seed);
    stepOnce();
    EXPECT_EQ(market.bankruptShowing, 1);
    EXPECT_EQ(market.bankruptSlot, 12);
    EXPECT_EQ(session.priceMark[12], 0);
    EXPECT_EQ(market.lostShares[12], 0);  // no shares held
}

TEST(PriceStep, TwoBankruptciesInOneStepNameTheLast) {
    setUpGame();
    uint32_t seed = 1;
    for (;; ++seed) {
        Move moves[SLOTS];
        predictMoves(seed, moves);
        if (moves[2].direction == 2 && moves[2].size > 0 && moves[9].direction == 2 && moves[9].size > 0)
            break;
    }
    ListedCompanies[2].price = 1;
    ListedCompanies[9].price = 1;
    Holdings[2].shares = 10000;
    seedRandom(seed);
    stepOnce();
    EXPECT_EQ(market.bankruptSlot, 9);
    EXPECT_EQ(market.bankruptRow, 9);
    EXPECT_EQ(std::string(market.bankruptMessage), std::string(catalogNames[9]) + "が倒産しました");
    EXPECT_EQ(market.lostShares[2], 1);
    EXPECT_EQ(market.lostSharesSlot, 2);
    EXPECT_EQ(ListedCompanies[2].price, 0);
    EXPECT_STREQ(ListedCompanies[2].name, catalogNames[2]);  // stays listed at 0
}

TEST(PriceStep, StockValueOfTwoHoldings) {
    setUpGame();
    const uint32_t seed = 4242;
    Move moves[SLOTS];
    predictMoves(seed, moves);
    // slot 2 ends at 999 and slot 8 at 998 whatever their moves
    ListedCompanies[2].price = moves[2].direction == 1 ? 999 : 999 + moves[2].size;
    ListedCompanies[8].price = moves[8].direction == 1 ? 998 - moves[8].size : 998 + moves[8].size;
    Holdings[2].shares = 10000;
    Holdings[8].shares = 10000;
    PortfolioValue.everBought = 1;
    seedRandom(seed);
    stepOnce();
    EXPECT_EQ(ListedCompanies[2].price, 999);
    EXPECT_EQ(ListedCompanies[8].price, 998);
    EXPECT_EQ(PortfolioValue.stockValue, 1997);
    EXPECT_STREQ(PortfolioValue.stockValueText, "ただいまの株価値 19970000円");
}

TEST(PriceStep, SmallHoldingsTruncateAndNoSharesGiveZero) {
    setUpGame();
    PortfolioValue.stockValue = 55;
    stepOnce();
    EXPECT_EQ(PortfolioValue.stockValue, 0);
    // 9,999 shares of a company at 1 yen are worth 0 units
    const uint32_t seed = seedFor(0, 0, 1);
    ListedCompanies[0].price = 1;
    Holdings[0].shares = 9999;
    seedRandom(seed);
    stepOnce();
    EXPECT_EQ(PortfolioValue.stockValue, 0);
}

TEST(PriceStep, LargeHoldingsDoNotOverflow) {
    setUpGame();
    for (int32_t slot = 0; slot < SLOTS; ++slot) {
        ListedCompanies[slot].price = 900;
        Holdings[slot].shares = 100000000;
    }
    stepOnce();
    EXPECT_GT(PortfolioValue.stockValue, 30 * 898 * 10000 - 1);
}

TEST(PriceStep, HistoryKeepsTheLastThirteenDailySamples) {
    setUpGame();
    int32_t expected[20];
    for (int day = 0; day < 20; ++day) {
        expected[day] = ListedCompanies[5].price;  // slot 5 is sampled before its move
        GraphState.recordPending = 1;
        stepOnce();
        EXPECT_EQ(GraphState.recordPending, 0);
        EXPECT_EQ(GraphState.historyLoopIndex, SLOTS);
        // the steps between days do not sample
        stepOnce();
        stepOnce();
    }
    EXPECT_EQ(PriceHistory[5].historyCount, HISTORY_LENGTH);
    for (int i = 0; i < HISTORY_LENGTH; ++i) EXPECT_EQ(PriceHistory[5].history[i], expected[7 + i]) << i;
    // slot 0 is sampled after its own move
    GraphState.recordPending = 1;
    stepOnce();
    EXPECT_EQ(PriceHistory[0].history[12], ListedCompanies[0].price);
}

TEST(Calendar, MonthEndsAndLeapYears) {
    setUpGame();
    struct Case {
        int32_t year, month, day, nextMonth, nextDay;
    } cases[] = {
        {2003, 1, 31, 2, 1}, {2003, 4, 30, 5, 1},  {2003, 4, 29, 4, 30}, {2004, 2, 28, 2, 29},
        {2004, 2, 29, 3, 1}, {2003, 2, 28, 3, 1},  {2005, 2, 28, 3, 1},  {2100, 2, 28, 3, 1},
        {2000, 2, 28, 3, 1}, {2003, 9, 30, 10, 1}, {2003, 8, 31, 9, 1},  {2003, 11, 30, 12, 1},
    };
    for (const Case& c : cases) {
        Calendar = CalendarRecord{c.year, c.month, c.day, 5};
        loop.frameCounter = FRAMES_PER_DAY;
        GraphState.recordPending = 0;
        calendarTick();
        EXPECT_EQ(Calendar.month, c.nextMonth) << c.year << "/" << c.month << "/" << c.day;
        EXPECT_EQ(Calendar.day, c.nextDay) << c.year << "/" << c.month << "/" << c.day;
        EXPECT_EQ(Calendar.year, c.year);
        EXPECT_EQ(loop.frameCounter, 0);
        EXPECT_EQ(GraphState.recordPending, 1);
    }
    EXPECT_EQ(monthLength(2004, 2), 29);
    EXPECT_EQ(monthLength(2100, 2), 28);
    // below the day's length nothing passes
    Calendar = CalendarRecord{2003, 1, 1, 5};
    loop.frameCounter = FRAMES_PER_DAY - 1;
    calendarTick();
    EXPECT_EQ(Calendar.day, 1);
    EXPECT_STREQ(market.dateText, "2003年1月1日");
}

TEST(Calendar, YearEndWithOneYearLeftEndsPlay) {
    setUpGame();
    Calendar = CalendarRecord{2003, 12, 31, 1};
    loop.frameCounter = FRAMES_PER_DAY;
    testing_support::mouse(10, 10, false);
    calendarTick();
    EXPECT_EQ(Calendar.year, 2004);
    EXPECT_EQ(Calendar.month, 1);
    EXPECT_EQ(Calendar.day, 1);
    EXPECT_EQ(Calendar.yearsLeft, 0);
    EXPECT_STREQ(session.yearsLeftText, "あと0年");
    EXPECT_STREQ(market.endMessage, "全ての営業が終了しました。");
    EXPECT_EQ(market.messagePanel[0], 270);  // the panel grows open
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    testing_support::mouse(10, 10, true);
    calendarTick();
    EXPECT_EQ(loop.GameScene, SCENE_ENDING_START);
}

TEST(Calendar, PlayOverStopsThePriceStepsInTheFrame) {
    setUpGame();
    Calendar = CalendarRecord{2003, 12, 31, 1};
    loop.frameCounter = FRAMES_PER_DAY;
    market.stepTicks = 10;
    testing_support::runTurns(1);
    EXPECT_EQ(Calendar.yearsLeft, 0);
    EXPECT_EQ(market.stepTicks, 10);
    EXPECT_STREQ(market.newsText, "本日のニュース　全ての営業が終了しました。");
    testing_support::mouse(300, 300, false);
    testing_support::runTurns(40);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    EXPECT_EQ(market.stepTicks, 10);
    testing_support::saveScreen("market_play_over");
    // a click anywhere ends play, even on a button that does its own work
    testing_support::mouse(560, 60, true);
    testing_support::runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_ENDING_START);
    EXPECT_EQ(market.marketTransition, 1);
}

TEST(Founding, NewGameTakesTheCataloguePrice) {
    setUpGame();
    session.loadSaved = 0;
    for (int32_t row = 0; row < CATALOG_ROWS; ++row) CompanyCatalog[row].catalogPrice = 500 + row;
    ListedCompanies[3].price = 0;
    for (int i = 0; i < HISTORY_LENGTH; ++i) PriceHistory[3].history[i] = 0;
    PriceHistory[3].historyCount = 7;
    foundCompany(3, 3);
    const int32_t row = CatalogIndex[3];
    ASSERT_GE(row, SLOTS);  // rows 0 to 29 were listed, row 3 only freed afterwards
    ASSERT_LT(row, CATALOG_ROWS - 1);
    EXPECT_EQ(CompanyCatalog[row].listed, 1);
    EXPECT_EQ(CompanyCatalog[3].listed, 0);
    EXPECT_EQ(ListedCompanies[3].price, 500 + row);
    EXPECT_STREQ(ListedCompanies[3].name, catalogNames[row]);
    EXPECT_EQ(std::string(session.priceText[3]), std::to_string(500 + row));
    EXPECT_EQ(PriceHistory[3].history[0], 500 + row);
    EXPECT_EQ(PriceHistory[3].historyCount, 1);
    EXPECT_EQ(market.foundedShowing, 1);
    EXPECT_EQ(std::string(market.foundedMessage), std::string(catalogNames[row]) + "が設立されました");
    // the graph step of the newcomer is the change from its first price to now
    ListedCompanies[3].price += 4;
    prepareGraphSteps();
    EXPECT_EQ(PriceHistory[3].graphSteps[0], 4);
}

TEST(Founding, ContinuedGameGivesAFreshPrice) {
    setUpGame();
    session.loadSaved = 1;
    for (int i = 0; i < 20; ++i) {
        const int32_t slot = i % SLOTS;
        foundCompany(slot, CatalogIndex[slot]);
        EXPECT_GE(ListedCompanies[slot].price, 18);
        EXPECT_LE(ListedCompanies[slot].price, 22);
        EXPECT_EQ(CompanyCatalog[CatalogIndex[slot]].catalogPrice, ListedCompanies[slot].price);
    }
}

TEST(Founding, NeverTakesAListedRowAndAlwaysEnds) {
    setUpGame();
    for (int i = 0; i < 60; ++i) {
        const int32_t slot = (i * 7) % SLOTS;
        const int32_t oldRow = CatalogIndex[slot];
        bool listedBefore[CATALOG_ROWS];
        for (int32_t row = 0; row < CATALOG_ROWS; ++row) listedBefore[row] = CompanyCatalog[row].listed == 1;
        foundCompany(slot, oldRow);
        EXPECT_FALSE(listedBefore[CatalogIndex[slot]]);
        EXPECT_NE(CatalogIndex[slot], CATALOG_ROWS - 1);
        int listed = 0;
        for (const CatalogEntry& entry : CompanyCatalog) listed += entry.listed;
        EXPECT_EQ(listed, SLOTS);
    }
    // One free row: the founding finds it. None free: the rows off the
    // board come free first, and the newcomer is one of them.
    for (CatalogEntry& entry : CompanyCatalog) entry.listed = 1;
    CompanyCatalog[50].listed = 0;
    CompanyCatalog[92].listed = 0;
    foundCompany(0, 60);
    EXPECT_EQ(CatalogIndex[0], 50);
    EXPECT_EQ(CompanyCatalog[60].listed, 0);
    for (CatalogEntry& entry : CompanyCatalog) entry.listed = 1;
    int32_t board[SLOTS];
    std::memcpy(board, CatalogIndex, sizeof board);
    foundCompany(1, board[1]);
    for (int32_t row : board) EXPECT_NE(CatalogIndex[1], row);
    EXPECT_NE(CatalogIndex[1], CATALOG_ROWS - 1);
    EXPECT_GE(freeCatalogRows(), DRAWN_ROWS - SLOTS);
}

TEST(Founding, TheFreedRowCanComeBack) {
    setUpGame();
    for (CatalogEntry& entry : CompanyCatalog) entry.listed = 1;
    CompanyCatalog[70].listed = 0;
    foundCompany(9, 9);  // takes row 70, frees row 9
    EXPECT_EQ(CatalogIndex[9], 70);
    foundCompany(10, 10);  // row 9 is the only free one now
    EXPECT_EQ(CatalogIndex[10], 9);
    EXPECT_STREQ(ListedCompanies[10].name, catalogNames[9]);
}

}  // namespace
