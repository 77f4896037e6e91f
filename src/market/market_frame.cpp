// SPDX-License-Identifier: GPL-2.0-or-later
// The market screen: one paced frame of the board of thirty companies, in
// which the button column, the calendar, the price step and the news run, the
// messages are shown, and a ruined player sees the ruin animation.
#include <cstdio>

#include "market/market.h"
#include "market/market_state.h"
#include "core/draw_context.h"
#include "core/devices.h"
#include "core/scenes.h"

constexpr uint32_t MARKET_FRAME_MS = 33;
constexpr Rect CURSOR_SPRITE{9, 0, 26, 26};

static void drawBackground() {
    switch (marketTransition) {
        case 0:
            if (shakeActive != 1)
                bltFast(devices.backBuffer, 0, 0, devices.gameMainSurface, Rect{0, 0, 640, 480}, false);
            break;
        case 1:
            stripTransitionSetup();
            marketTransition = 2;
            break;
        case 2:
            if (stripTransitionStep()) marketTransition = 0;
            break;
        default:
            break;
    }
}

static void endShake() {
    if (shakeCount <= 5) return;
    if (ruinReady == 1) {
        shakeCount = 4;
    } else {
        shakeCount = 0;
        secondZoom = 1;
    }
    shakeActive = 0;
}

static void drawCompanyNames() {
    getDC();
    setBkMode(BkMode::Transparent);
    if (marketTransition == 0) {
        for (int32_t slot = 0; slot < SLOTS; ++slot) {
            if (Holdings[slot].shares > 0) {
                setTextColor(255, 0, 0);
            } else {
                setTextColor(0, 0, 0);
            }
            if (session.priceMark[slot] == 1) {
                setBkMode(BkMode::Opaque);
                setBkColor(150, 55, 255);
            } else if (session.priceMark[slot] == 2) {
                setBkMode(BkMode::Opaque);
                setBkColor(255, 160, 255);
            } else {
                setBkMode(BkMode::Transparent);
            }
            textOut(10 + 180 * (slot / 10), 18 + 40 * (slot % 10), ListedCompanies[slot].name);
        }
    }
    releaseDC();
}

static void drawPlayerTexts() {
    getDC();
    setTextColor(0, 0, 0);
    setBkMode(BkMode::Transparent);
    textOut(60, 415, Player.playerName);
    textOut(315, 433, Player.cashText);
    releaseDC();
}

static void drawStockValue() {
    if (PortfolioValue.everBought == 0) {
        std::snprintf(PortfolioValue.stockValueText, sizeof PortfolioValue.stockValueText, "持ち株価値 0円");
    }
    getDC();
    setTextColor(0, 0, 0);
    setBkMode(BkMode::Transparent);
    textOut(200, 410, PortfolioValue.stockValueText);
    releaseDC();
}

void runMarketFrame() {
    drawBackground();
    getCursorPos();
    if (shakeActive == 1) shakeBackground();
    endShake();
    drawCompanyNames();
    if (marketTransition == 0) {
        assetPanel();
        calendarTick();
        if (ruinReady == 0) {
            if (Calendar.yearsLeft > 0) priceStep();
            newsTick();
        }
    }
    if (bankruptShowing == 1 || foundedShowing == 1 || supportShowing == 1)
        growMessagePanel();
    if (bankruptShowing == 1) showBankruptMessage();
    if (foundedShowing == 1) showFoundedMessage();
    if (marketTransition == 0) drawPlayerTexts();
    if (supportShowing == 1) showSupportMessage();
    if (marketTransition == 0) drawStockValue();
    bltFast(devices.backBuffer, devices.cursorPos.x, devices.cursorPos.y, devices.spriteSheet, CURSOR_SPRITE,
            true);
    if (saveShowing == 1) showSaveMessage();
    if (Player.cash == 0 && PortfolioValue.stockValue == 0) {
        ruinZoom();
        if (ruinReady == 1 && shakeCount == 4) {
            shakeActive = 0;
            loop.GameScene = SCENE_GAME_OVER;
        }
    }
}

void marketFrame() {
    const uint32_t now = timeGetTime();
    if (now - marketLastFrame < MARKET_FRAME_MS) {
        idleUntil(marketLastFrame + MARKET_FRAME_MS);
        return;
    }
    marketLastFrame = now;
    runMarketFrame();
    flip();
}
