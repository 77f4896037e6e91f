// SPDX-License-Identifier: GPL-2.0-or-later
// The news ticker: a headline a day scrolled along the bottom of the board;
// on three dates a year news of one listed company, whose price jumps or
// crashes on the following day.
#include <cstdio>
#include <cstring>

#include "market/market.h"
#include "core/draw_context.h"
#include "core/rng.h"
#include "core/saturate.h"
#include "core/scenes.h"

int32_t newsMode;
int32_t newsChosen;
int32_t newsIndex;
int32_t newsCompany;
char newsText[256];
int32_t newsLength;
int32_t newsX = 640;
int32_t newsCoinDrawn;
int32_t newsCoin;
int32_t newsDelta;
int32_t newsApplied[6];

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
    newsDelta = 100 + nextRandom() % range;
    price = addClamped(price, newsDelta);
    if (price >= PRICE_CEILING) price = PRICE_CEILING;
    flag = 1;
}

static void fall(int32_t& price, int32_t& flag, int32_t range) {
    if (flag != 0) return;
    newsDelta = 100 + nextRandom() % range;
    price = addClamped(price, -newsDelta);
    if (price <= 0) price = 0;
    flag = 1;
}

void applyNewsEffect(int32_t row) {
    if (newsCompany < 0 || newsCompany >= SLOTS) return;
    int32_t& price = ListedCompanies[newsCompany].price;
    switch (row) {
        case 0:
            if (newsCoinDrawn == 0) {
                newsCoin = nextRandom() % 2;
                newsCoinDrawn = 1;
            }
            if (newsCoin == 0) {
                rise(price, newsApplied[0], 300);
            } else {
                fall(price, newsApplied[1], 300);
            }
            break;
        case 1:
            if (newsCoinDrawn == 0) {
                newsCoin = 1 + nextRandom() % 2;
                newsCoinDrawn = 1;
            }
            if (newsCoin == 0) {
                rise(price, newsApplied[2], 150);
            } else {
                fall(price, newsApplied[3], 150);
            }
            break;
        case 2:
            newsCoinDrawn = 1;
            fall(price, newsApplied[4], 300);
            break;
        case 3:
            newsCoinDrawn = 1;
            fall(price, newsApplied[5], 150);
            break;
        default:
            break;
    }
}

static void drawNews() {
    newsLength = static_cast<int32_t>(std::strlen(newsText));
    getDC();
    setTextColor(255, 255, 0);
    setBkMode(BkMode::Transparent);
    textOut(newsX, 460, newsText);
    releaseDC();
}

static void buildNewsText() {
    switch (newsMode) {
        case 0:
            if (newsChosen == 0) {
                newsIndex = nextRandom() % 40;
                newsChosen = 1;
            }
            std::snprintf(newsText, sizeof newsText, "本日のニュース　%s", newsHeadlines[4 + newsIndex]);
            drawNews();
            break;
        case 2:
            std::snprintf(newsText, sizeof newsText, "本日のニュース　全ての営業が終了しました。");
            drawNews();
            break;
        case 1:
            if (newsChosen == 0) {
                newsIndex = nextRandom() % 4;
                newsCompany = nextRandom() % 30;
                newsChosen = 1;
            }
            std::snprintf(newsText, sizeof newsText, "本日のニュース　%s%s",
                          ListedCompanies[newsCompany].name, newsHeadlines[newsIndex]);
            drawNews();
            break;
        default:
            break;
    }
}

void newsTick() {
    if (todayIn(NEWS_DATES)) newsMode = 1;
    if (Calendar.yearsLeft <= 0) newsMode = 2;
    buildNewsText();
    if (todayIn(EFFECT_DATES) && newsIndex >= 0 && newsIndex <= 3) {
        applyNewsEffect(newsIndex);
        newsMode = 0;
    }
    if (todayIn(RESET_DATES)) {
        std::memset(newsApplied, 0, sizeof newsApplied);
        newsCoinDrawn = 0;
        newsMode = 0;
    }
    newsX -= 2;
    if (newsX < -18 * (newsLength - 2) || loop.frameCounter == 0) newsX = 640;
    if (loop.frameCounter == 0) newsChosen = 0;
}

void resetNewsState() {
    newsMode = 0;
    newsChosen = 0;
    newsIndex = 0;
    newsCompany = 0;
    std::memset(newsText, 0, sizeof newsText);
    newsLength = 0;
    newsX = 640;
    newsCoinDrawn = 0;
    newsCoin = 0;
    newsDelta = 0;
    std::memset(newsApplied, 0, sizeof newsApplied);
}
