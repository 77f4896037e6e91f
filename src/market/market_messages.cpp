// SPDX-License-Identifier: GPL-2.0-or-later
// The four messages of the market screen on the shared panel: bankruptcy,
// founding, support result and save. Each is clicked away anywhere.
#include <cstdio>

#include "core/devices.h"
#include "core/draw_context.h"
#include "market/market.h"
#include "market/market_state.h"

// A message takes a click anywhere on the screen.
bool messageClick(int32_t& latch) { return pressLatch(latch, 0, 0, SCREEN_WIDTH - 1, SCREEN_HEIGHT - 1); }

static void drawWhite(int x, int y, const char* text) {
    getDC();
    setTextColor(255, 255, 255);
    setBkMode(BkMode::Transparent);
    textOut(x, y, text);
    releaseDC();
}

void showBankruptMessage() {
    drawWhite(200, 300, market.bankruptMessage);
    if (market.lostSharesSlot >= 0 && market.lostSharesSlot < SLOTS &&
        market.lostShares[market.lostSharesSlot] == 1) {
        drawWhite(200, 330, market.lostSharesMessage);
    }
    if (messageClick(market.messageLatch)) {
        market.bankruptShowing = 0;
        if (market.lostSharesSlot >= 0 && market.lostSharesSlot < SLOTS)
            market.lostShares[market.lostSharesSlot] = 0;
        foundCompany(market.bankruptSlot, market.bankruptRow);
    }
}

void showFoundedMessage() {
    market.marketPaused = 1;
    drawWhite(200, 300, market.foundedMessage);
    if (messageClick(market.messageLatch)) {
        market.foundedShowing = 0;
        market.marketPaused = 0;
        closeMessagePanel();
    }
}

void showSupportMessage() {
    market.marketPaused = 1;
    drawWhite(200, 300, market.supportMessage);
    if (messageClick(market.supportLatch)) {
        market.supportShowing = 0;
        closeMessagePanel();
        market.marketPaused = 0;
    }
}

void showSaveMessage() {
    std::snprintf(market.saveMessage, sizeof market.saveMessage, "セーブ完了!!");
    growMessagePanel();
    drawWhite(200, 300, market.saveMessage);
    if (messageClick(market.saveLatch)) {
        market.supportShowing = 0;
        closeMessagePanel();
        market.saveShowing = 0;
    }
}
