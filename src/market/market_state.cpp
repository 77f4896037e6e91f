// SPDX-License-Identifier: GPL-2.0-or-later
#include "market/market_state.h"

#include "core/draw_context.h"

MarketState market;

void resetMarketState() { market = MarketState{}; }

void closeMessagePanel() {
    for (int32_t& edge : market.messagePanel) edge = 300;
}

void growMessagePanel() {
    getDC();
    selectBrush(brushBlack);
    selectPen(penWhite3);
    roundRect(market.messagePanel[0], market.messagePanel[1], market.messagePanel[2], market.messagePanel[3],
              100, 200);
    releaseDC();
    market.messagePanel[0] -= 30;
    market.messagePanel[1] -= 30;
    market.messagePanel[2] += 30;
    market.messagePanel[3] += 30;
    if (market.messagePanel[0] < 100) market.messagePanel[0] = 100;
    if (market.messagePanel[1] < 200) market.messagePanel[1] = 200;
    if (market.messagePanel[2] > 500) market.messagePanel[2] = 500;
    if (market.messagePanel[3] > 400) market.messagePanel[3] = 400;
}
