// SPDX-License-Identifier: GPL-2.0-or-later
// The four messages of the market screen on the shared panel: bankruptcy,
// founding, support result and save. Each is clicked away anywhere.
#include <cstdio>

#include "market/market.h"
#include "market/market_state.h"
#include "core/draw_context.h"
#include "core/devices.h"

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
    drawWhite(200, 300, bankruptMessage);
    if (lostSharesSlot >= 0 && lostSharesSlot < SLOTS &&
        lostShares[lostSharesSlot] == 1) {
        drawWhite(200, 330, lostSharesMessage);
    }
    if (messageClick(messageLatch)) {
        bankruptShowing = 0;
        if (lostSharesSlot >= 0 && lostSharesSlot < SLOTS)
            lostShares[lostSharesSlot] = 0;
        foundCompany(bankruptSlot, bankruptRow);
    }
}

void showFoundedMessage() {
    marketPaused = 1;
    drawWhite(200, 300, foundedMessage);
    if (messageClick(messageLatch)) {
        foundedShowing = 0;
        marketPaused = 0;
        closeMessagePanel();
    }
}

void showSupportMessage() {
    marketPaused = 1;
    drawWhite(200, 300, supportMessage);
    if (messageClick(supportLatch)) {
        supportShowing = 0;
        closeMessagePanel();
        marketPaused = 0;
    }
}

void showSaveMessage() {
    std::snprintf(saveMessage, sizeof saveMessage, "セーブ完了!!");
    growMessagePanel();
    drawWhite(200, 300, saveMessage);
    if (messageClick(saveLatch)) {
        supportShowing = 0;
        closeMessagePanel();
        saveShowing = 0;
    }
}
