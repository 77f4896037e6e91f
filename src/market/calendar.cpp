// SPDX-License-Identifier: GPL-2.0-or-later
// The calendar: a day passes when frameCounter reaches 3,000,000; the date and
// the years left are drawn, and the closing message once no years are left.
#include <cstdio>

#include "core/devices.h"
#include "core/draw_context.h"
#include "core/saturate.h"
#include "core/scenes.h"
#include "market/market.h"
#include "market/market_state.h"

int32_t monthLength(int32_t year, int32_t month) {
    switch (month) {
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        case 2:
            return (year % 4 == 0 && year % 100 != 0) ? 29 : 28;
        default:
            return 31;
    }
}

static void passDay() {
    loop.frameCounter = 0;
    GraphState.recordPending = 1;
    // The day after the month's last (or after a day beyond it) is the 1st.
    if (Calendar.day >= monthLength(Calendar.year, Calendar.month)) {
        Calendar.day = 1;
        Calendar.month += 1;
    } else {
        Calendar.day += 1;
    }
    if (Calendar.month > 12) {
        Calendar.month = 1;
        Calendar.year = addClamped(Calendar.year, 1);
        Calendar.yearsLeft = addClamped(Calendar.yearsLeft, -1);
        std::snprintf(session.yearsLeftText, sizeof session.yearsLeftText, "あと%d年", Calendar.yearsLeft);
    }
}

static void showEndMessage() {
    growMessagePanel();
    std::snprintf(market.endMessage, sizeof market.endMessage, "全ての営業が終了しました。");
    getDC();
    setTextColor(255, 255, 255);
    setBkMode(BkMode::Transparent);
    textOut(200, 300, market.endMessage);
    releaseDC();
    if (keyDown(Key::LeftButton)) loop.GameScene = SCENE_ENDING_START;
}

void calendarTick() {
    if (loop.frameCounter >= FRAMES_PER_DAY) passDay();
    if (Calendar.yearsLeft <= 0) showEndMessage();
    std::snprintf(market.dateText, sizeof market.dateText, "%d年%d月%d日", Calendar.year, Calendar.month,
                  Calendar.day);
    getDC();
    setTextColor(0, 0, 0);
    setBkMode(BkMode::Transparent);
    textOut(510, 410, market.dateText);
    textOut(510, 430, session.yearsLeftText);
    releaseDC();
}
