// SPDX-License-Identifier: GPL-2.0-or-later
// The news ticker: general headlines, the company news of the three news
// dates with their price jumps, the reset dates, the closing line and the scroll.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/rng.h"
#include "core/scenes.h"
#include "market/market.h"
#include "market/market_state.h"
#include "support/test_support.h"

namespace {

void setUpGame() {
    testing_support::freshStartedRun();
    for (int32_t slot = 0; slot < SLOTS; ++slot) {
        std::strcpy(ListedCompanies[slot].name, catalogNames[slot]);
        ListedCompanies[slot].price = 500;
        CatalogIndex[slot] = slot;
    }
    Calendar = CalendarRecord{2003, 1, 5, 5};
    loop.GameScene = SCENE_MARKET;
}

// The calendar and the news as the market frame calls them.
void turn() {
    ++loop.frameCounter;
    calendarTick();
    newsTick();
}

void dayChange() {
    loop.frameCounter = FRAMES_PER_DAY;
    calendarTick();
    newsTick();
}

std::string prefix() { return "本日のニュース　"; }

TEST(News, GeneralHeadlineScrollsAndRestarts) {
    setUpGame();
    loop.frameCounter = 100;
    newsTick();
    EXPECT_EQ(market.newsMode, 0);
    EXPECT_EQ(market.newsChosen, 1);
    ASSERT_GE(market.newsIndex, 0);
    ASSERT_LT(market.newsIndex, 40);
    EXPECT_EQ(std::string(market.newsText), prefix() + newsHeadlines[4 + market.newsIndex]);
    EXPECT_EQ(market.newsLength, static_cast<int32_t>(std::strlen(market.newsText)));
    EXPECT_EQ(market.newsX, 638);
    const int32_t chosen = market.newsIndex;
    newsTick();
    EXPECT_EQ(market.newsIndex, chosen);
    EXPECT_EQ(market.newsX, 636);
    // restarts once x has passed -18 * (length - 2)
    market.newsX = -18 * (market.newsLength - 2) + 2;
    newsTick();
    EXPECT_EQ(market.newsX, -18 * (market.newsLength - 2));
    newsTick();
    EXPECT_EQ(market.newsX, 640);
    // a fresh day restarts it and picks again
    market.newsX = 300;
    loop.frameCounter = 0;
    newsTick();
    EXPECT_EQ(market.newsX, 640);
    EXPECT_EQ(market.newsChosen, 0);
}

TEST(News, HeadlineTable) {
    EXPECT_STREQ(newsHeadlines[0], "の親会社が新事業を立ち上げました。");
    EXPECT_STREQ(newsHeadlines[3], "の不祥事が発覚しました。");
    EXPECT_STREQ(newsHeadlines[21], "異常気象により気温－８度です。");
    EXPECT_STREQ(newsHeadlines[41], "今日、誕生日の方へ　　　おめでとう(^0^)/");
    EXPECT_STREQ(newsHeadlines[43], "今日は報道局が休みの為、ニュースはまた、明日。");
    for (const char* headline : newsHeadlines) EXPECT_LT(std::strlen(headline), 100u);
}

TEST(News, ClosingLineWhenPlayIsOver) {
    setUpGame();
    Calendar.yearsLeft = 0;
    loop.frameCounter = 5;
    newsTick();
    EXPECT_EQ(market.newsMode, 2);
    EXPECT_EQ(std::string(market.newsText), prefix() + "全ての営業が終了しました。");
    Calendar.month = 1;
    Calendar.day = 6;
    newsTick();
    EXPECT_EQ(market.newsMode, 2);
}

TEST(News, NewsDatesAndOrdinaryDays) {
    setUpGame();
    const int32_t dates[3][2] = {{1, 6}, {7, 8}, {12, 18}};
    for (const auto& date : dates) {
        resetMarketState();
        Calendar.month = date[0];
        Calendar.day = date[1];
        loop.frameCounter = 3;
        newsTick();
        EXPECT_EQ(market.newsMode, 1);
        EXPECT_LT(market.newsIndex, 4);
    }
    resetMarketState();
    Calendar.month = 7;
    Calendar.day = 7;
    newsTick();
    EXPECT_EQ(market.newsMode, 0);
}

// One whole news event from the day before the news date to the reset date.
TEST(News, EventFromNewsDateToResetDate) {
    int risesOfRow0 = 0;
    int fallsOfRow0 = 0;
    int seenRows[4] = {};
    for (uint32_t seed = 1; seed <= 240; ++seed) {
        setUpGame();
        seedRandom(seed);
        turn();
        turn();
        const int32_t oldIndex = market.newsIndex;
        const int32_t oldCompany = market.newsCompany;

        dayChange();  // into 1月6日
        ASSERT_EQ(Calendar.day, 6);
        EXPECT_EQ(market.newsMode, 1);
        EXPECT_EQ(std::string(market.newsText),
                  prefix() + ListedCompanies[oldCompany].name + newsHeadlines[oldIndex]);
        EXPECT_EQ(market.newsX, 640);
        EXPECT_EQ(market.newsChosen, 0);

        turn();
        const int32_t row = market.newsIndex;
        const int32_t company = market.newsCompany;
        ASSERT_GE(row, 0);
        ASSERT_LT(row, 4);
        ASSERT_GE(company, 0);
        ASSERT_LT(company, SLOTS);
        const std::string companyNews = prefix() + ListedCompanies[company].name + newsHeadlines[row];
        EXPECT_EQ(std::string(market.newsText), companyNews);
        for (int i = 0; i < 5; ++i) turn();
        EXPECT_EQ(std::string(market.newsText), companyNews);
        EXPECT_EQ(ListedCompanies[company].price, 500);

        dayChange();  // into 1月7日: the same news once more, and the jump
        ASSERT_EQ(Calendar.day, 7);
        EXPECT_EQ(std::string(market.newsText), companyNews);
        EXPECT_EQ(market.newsMode, 0);
        const int32_t change = ListedCompanies[company].price - 500;
        const int32_t range = (row == 0 || row == 2) ? 300 : 150;
        EXPECT_EQ(change < 0 ? -change : change, market.newsDelta);
        EXPECT_GE(market.newsDelta, 100);
        EXPECT_LT(market.newsDelta, 100 + range);
        if (row == 2 || row == 3 || row == 1) {
            EXPECT_LT(change, 0) << "row " << row;
        }
        if (row == 0) (change > 0 ? risesOfRow0 : fallsOfRow0) += 1;
        seenRows[row] += 1;
        EXPECT_EQ(market.newsCoinDrawn, 1);

        for (int i = 0; i < 20; ++i) turn();
        EXPECT_GE(ListedCompanies[company].price, 0);
        EXPECT_LE(ListedCompanies[company].price, 999);

        dayChange();  // into 1月8日: the reset date
        ASSERT_EQ(Calendar.day, 8);
        for (int32_t flag : market.newsApplied) EXPECT_EQ(flag, 0);
        EXPECT_EQ(market.newsCoinDrawn, 0);
        EXPECT_EQ(market.newsMode, 0);
    }
    for (int seen : seenRows) EXPECT_GT(seen, 0);
    EXPECT_GT(risesOfRow0, 0);
    EXPECT_GT(fallsOfRow0, 0);
}

TEST(News, JumpsStopAtZeroAndAtTheCeiling) {
    setUpGame();
    market.newsCompany = 4;
    ListedCompanies[4].price = 50;
    applyNewsEffect(2);
    EXPECT_EQ(ListedCompanies[4].price, 0);
    EXPECT_EQ(market.newsApplied[4], 1);
    // a set flag stops the effect from repeating
    ListedCompanies[4].price = 500;
    applyNewsEffect(2);
    EXPECT_EQ(ListedCompanies[4].price, 500);

    ListedCompanies[4].price = 950;
    market.newsCoinDrawn = 1;
    market.newsCoin = 0;
    applyNewsEffect(0);
    EXPECT_EQ(ListedCompanies[4].price, 999);
    EXPECT_EQ(market.newsApplied[0], 1);
    applyNewsEffect(1);  // the coin drawn earlier in the event lets row 1 rise
    EXPECT_EQ(ListedCompanies[4].price, 999);
    EXPECT_EQ(market.newsApplied[2], 1);

    ListedCompanies[4].price = 99;
    applyNewsEffect(3);
    EXPECT_EQ(ListedCompanies[4].price, 0);
    EXPECT_EQ(market.newsApplied[5], 1);
}

TEST(News, RowOneDrawingItsOwnCoinAlwaysFalls) {
    setUpGame();
    market.newsCompany = 2;
    for (uint32_t seed = 1; seed < 50; ++seed) {
        resetMarketState();
        market.newsCompany = 2;
        ListedCompanies[2].price = 600;
        seedRandom(seed);
        applyNewsEffect(1);
        EXPECT_GE(market.newsCoin, 1);
        EXPECT_LT(ListedCompanies[2].price, 600);
        EXPECT_EQ(market.newsApplied[3], 1);
    }
}

TEST(News, ANewsFallToZeroBecomesABankruptcyAtTheNextFall) {
    setUpGame();
    market.newsCompany = 7;
    ListedCompanies[7].price = 30;
    applyNewsEffect(2);
    ASSERT_EQ(ListedCompanies[7].price, 0);
    // the next step that lets it fall declares it bankrupt; a rise saves it
    for (uint32_t seed = 1; seed < 400 && market.bankruptShowing == 0; ++seed) {
        ListedCompanies[7].price = 0;
        seedRandom(seed);
        market.stepTicks = PRICE_STEP_FRAMES - 1;
        priceStep();
        if (market.priceDirection[7] == 1) {
            EXPECT_EQ(ListedCompanies[7].price, market.priceStepSize[7]);
        }
    }
    EXPECT_EQ(market.bankruptShowing, 1);
    EXPECT_EQ(market.bankruptSlot, 7);
}

}  // namespace

namespace {

// Each of the three events: the jump comes only on the effect date, and only
// the reset date clears the flags and the coin.
TEST(News, EffectAndResetDatesOfAllThreeEvents) {
    const int32_t newsDates[3][2] = {{1, 6}, {7, 8}, {12, 18}};
    const int32_t effectDates[3][2] = {{1, 7}, {7, 9}, {12, 19}};
    const int32_t resetDates[3][2] = {{1, 8}, {7, 10}, {12, 20}};
    setUpGame();
    for (int event = 0; event < 3; ++event) {
        // a chosen row 2 headline (always a fall) for the company in slot 5
        const auto prime = [](int32_t month, int32_t day) {
            resetMarketState();
            Calendar.month = month;
            Calendar.day = day;
            market.newsChosen = 1;
            market.newsIndex = 2;
            market.newsCompany = 5;
            ListedCompanies[5].price = 500;
            loop.frameCounter = 7;
            newsTick();
        };
        prime(newsDates[event][0], newsDates[event][1]);
        EXPECT_EQ(ListedCompanies[5].price, 500) << event;
        EXPECT_EQ(market.newsMode, 1) << event;
        prime(resetDates[event][0], resetDates[event][1]);
        EXPECT_EQ(ListedCompanies[5].price, 500) << event;
        prime(effectDates[event][0], effectDates[event][1]);
        EXPECT_LE(ListedCompanies[5].price, 400) << event;
        EXPECT_GE(ListedCompanies[5].price, 500 - 399) << event;
        EXPECT_EQ(market.newsApplied[4], 1) << event;
        EXPECT_EQ(market.newsCoinDrawn, 1) << event;
        EXPECT_EQ(market.newsMode, 0) << event;

        // the day after the reset date keeps the flags; the reset date clears them
        for (int32_t& flag : market.newsApplied) flag = 1;
        market.newsCoinDrawn = 1;
        Calendar.month = resetDates[event][0];
        Calendar.day = resetDates[event][1] + 1;
        newsTick();
        EXPECT_EQ(market.newsApplied[0], 1) << event;
        EXPECT_EQ(market.newsCoinDrawn, 1) << event;
        market.newsMode = 1;
        Calendar.day = resetDates[event][1];
        newsTick();
        for (int32_t flag : market.newsApplied) EXPECT_EQ(flag, 0) << event;
        EXPECT_EQ(market.newsCoinDrawn, 0) << event;
        EXPECT_EQ(market.newsMode, 0) << event;
    }
}

}  // namespace
