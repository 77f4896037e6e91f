// SPDX-License-Identifier: GPL-2.0-or-later
// The news ticker: a headline a day scrolled along the bottom of the board;
// on three dates a year news of one listed company, whose price jumps or
// crashes on the following day.
#include <cstdio>
#include <cstring>

#include "core/draw_context.h"
#include "core/rng.h"
#include "core/saturate.h"
#include "core/scenes.h"
#include "market/market.h"

struct NewsDate {
    int32_t month, day;
};
constexpr NewsDate NEWS_DATES[3] = {{1, 6}, {7, 8}, {12, 18}};
constexpr NewsDate EFFECT_DATES[3] = {{1, 7}, {7, 9}, {12, 19}};
constexpr NewsDate RESET_DATES[3] = {{1, 8}, {7, 10}, {12, 20}};

static bool todayIn(const NewsDate (&dates)[3]) {
    for (const NewsDate& date : dates) {
        if (Calendar.month == date.month && Calendar.day == date.day) return true;
    }
    return false;
}

static void rise(int32_t& price, int32_t& flag, int32_t range) {
    if (flag != 0) return;
    market.newsDelta = 100 + nextRandom() % range;
    price = addClamped(price, market.newsDelta);
    if (price >= PRICE_CEILING) price = PRICE_CEILING;
    flag = 1;
}

static void fall(int32_t& price, int32_t& flag, int32_t range) {
    if (flag != 0) return;
    market.newsDelta = 100 + nextRandom() % range;
    price = addClamped(price, -market.newsDelta);
    if (price <= 0) price = 0;
    flag = 1;
}

void applyNewsEffect(int32_t row) {
    if (market.newsCompany < 0 || market.newsCompany >= SLOTS) return;
    int32_t& price = ListedCompanies[market.newsCompany].price;
    switch (row) {
        case 0:
            if (market.newsCoinDrawn == 0) {
                market.newsCoin = nextRandom() % 2;
                market.newsCoinDrawn = 1;
            }
            if (market.newsCoin == 0) {
                rise(price, market.newsApplied[0], 300);
            } else {
                fall(price, market.newsApplied[1], 300);
            }
            break;
        case 1:
            if (market.newsCoinDrawn == 0) {
                market.newsCoin = 1 + nextRandom() % 2;
                market.newsCoinDrawn = 1;
            }
            if (market.newsCoin == 0) {
                rise(price, market.newsApplied[2], 150);
            } else {
                fall(price, market.newsApplied[3], 150);
            }
            break;
        case 2:
            market.newsCoinDrawn = 1;
            fall(price, market.newsApplied[4], 300);
            break;
        case 3:
            market.newsCoinDrawn = 1;
            fall(price, market.newsApplied[5], 150);
            break;
        default:
            break;
    }
}

static void drawNews() {
    market.newsLength = static_cast<int32_t>(std::strlen(market.newsText));
    getDC();
    setTextColor(255, 255, 0);
    setBkMode(BkMode::Transparent);
    textOut(market.newsX, 460, market.newsText);
    releaseDC();
}

static void buildNewsText() {
    switch (market.newsMode) {
        case 0:
            if (market.newsChosen == 0) {
                market.newsIndex = nextRandom() % 40;
                market.newsChosen = 1;
            }
            std::snprintf(market.newsText, sizeof market.newsText, "本日のニュース　%s",
                          newsHeadlines[4 + market.newsIndex]);
            drawNews();
            break;
        case 2:
            std::snprintf(market.newsText, sizeof market.newsText,
                          "本日のニュース　全ての営業が終了しました。");
            drawNews();
            break;
        case 1:
            if (market.newsChosen == 0) {
                market.newsIndex = nextRandom() % 4;
                market.newsCompany = nextRandom() % 30;
                market.newsChosen = 1;
            }
            std::snprintf(market.newsText, sizeof market.newsText, "本日のニュース　%s%s",
                          ListedCompanies[market.newsCompany].name, newsHeadlines[market.newsIndex]);
            drawNews();
            break;
        default:
            break;
    }
}

void newsTick() {
    if (todayIn(NEWS_DATES)) market.newsMode = 1;
    if (Calendar.yearsLeft <= 0) market.newsMode = 2;
    buildNewsText();
    if (todayIn(EFFECT_DATES) && market.newsIndex >= 0 && market.newsIndex <= 3) {
        applyNewsEffect(market.newsIndex);
        market.newsMode = 0;
    }
    if (todayIn(RESET_DATES)) {
        std::memset(market.newsApplied, 0, sizeof market.newsApplied);
        market.newsCoinDrawn = 0;
        market.newsMode = 0;
    }
    market.newsX -= 2;
    if (market.newsX < -18 * (market.newsLength - 2) || loop.frameCounter == 0) market.newsX = 640;
    if (loop.frameCounter == 0) market.newsChosen = 0;
}
