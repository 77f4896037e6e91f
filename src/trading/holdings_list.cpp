// SPDX-License-Identifier: GPL-2.0-or-later
// The holdings list: every listed company with the shares held, and the ways
// on to the sell screen and back to the market.
#include <cstdio>

#include "core/devices.h"
#include "core/draw_context.h"
#include "core/scenes.h"
#include "state/records.h"
#include "trading/trading_state.h"

namespace {

constexpr int nameColumnX[3] = {10, 220, 430};
constexpr int sharesColumnX[3] = {160, 380, 580};

int rowY(int slot) { return 50 + 40 * (slot % 10); }

}  // namespace

void sceneHoldings() {
    getCursorPos();

    fillRect(devices.backBuffer, Rect{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, 0);
    drawSprite(100, 430, Rect{268, 28, 335, 65});
    drawSprite(500, 430, Rect{268, 65, 335, 102});

    // The field holds up to nine digits; a longer count is cut to fit.
    char text[32];
    for (HoldingRow& row : Holdings) {
        std::snprintf(text, sizeof text, "%ld株", static_cast<long>(row.shares));
        copyText(row.sharesText, sizeof row.sharesText, text, sizeof text);
    }

    char name[100];
    getDC();
    setBkMode(BkMode::Transparent);
    setTextColor(255, 255, 255);
    textOut(270, 20, "持ち株リスト");
    for (int i = 0; i < SLOTS; ++i) {
        copyText(name, sizeof name, ListedCompanies[i].name, sizeof ListedCompanies[i].name);
        textOut(nameColumnX[i / 10], rowY(i), name);
    }
    for (int i = 0; i < SLOTS; ++i) textOut(sharesColumnX[i / 10], rowY(i), Holdings[i].sharesText);
    releaseDC();

    const bool down = keyDown(Key::LeftButton);
    if (cursorIn(500, 430, 566, 467) && down) loop.GameScene = SCENE_MARKET;
    if (cursorIn(100, 430, 166, 467)) {
        if (!down) {
            trading.holdingsSellLatch = 0;
        } else if (trading.holdingsSellLatch == 0) {
            loop.GameScene = SCENE_SELL;
            trading.holdingsSellLatch = 1;
        }
    }

    drawCursorSprite();
    flip();
}
