// SPDX-License-Identifier: GPL-2.0-or-later
// The market screen: one paced frame of the board of thirty companies, in
// which the button column, the calendar, the price step and the news run, the
// messages are shown, and a ruined player sees the ruin animation.
#include <cstdio>

#include "core/devices.h"
#include "core/draw_context.h"
#include "core/scenes.h"
#include "market/market.h"
#include "market/market_state.h"

constexpr uint32_t MARKET_FRAME_MS = 33;
constexpr Rect CURSOR_SPRITE{9, 0, 26, 26};

static void drawBackground() {
    switch (market.marketTransition) {
        case 0:
            if (market.shakeActive != 1)
                bltFast(devices.backBuffer, 0, 0, devices.gameMainSurface, Rect{0, 0, 640, 480}, false);
            break;
        case 1:
            stripTransitionSetup();
            market.marketTransition = 2;
            break;
        case 2:
            if (stripTransitionStep()) market.marketTransition = 0;
            break;
        default:
            break;
    }
}

static void endShake() {
    if (market.shakeCount <= 5) return;
    if (market.ruinReady == 1) {
        market.shakeCount = 4;
    } else {
        market.shakeCount = 0;
        market.secondZoom = 1;
    }
    market.shakeActive = 0;
}

static void drawCompanyNames() {
    getDC();
    setBkMode(BkMode::Transparent);
    if (market.marketTransition == 0) {
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
    if (market.shakeActive == 1) shakeBackground();
    endShake();
    drawCompanyNames();
    if (market.marketTransition == 0) {
        assetPanel();
        calendarTick();
        if (market.ruinReady == 0) {
            if (Calendar.yearsLeft > 0) priceStep();
            newsTick();
        }
    }
    if (market.bankruptShowing == 1 || market.foundedShowing == 1 || market.supportShowing == 1)
        growMessagePanel();
    if (market.bankruptShowing == 1) showBankruptMessage();
    if (market.foundedShowing == 1) showFoundedMessage();
    if (market.marketTransition == 0) drawPlayerTexts();
    if (market.supportShowing == 1) showSupportMessage();
    if (market.marketTransition == 0) drawStockValue();
    bltFast(devices.backBuffer, devices.cursorPos.x, devices.cursorPos.y, devices.spriteSheet, CURSOR_SPRITE,
            true);
    if (market.saveShowing == 1) showSaveMessage();
    if (Player.cash == 0 && PortfolioValue.stockValue == 0) {
        ruinZoom();
        if (market.ruinReady == 1 && market.shakeCount == 4) {
            market.shakeActive = 0;
            loop.GameScene = SCENE_GAME_OVER;
        }
    }
}

void marketFrame() {
    const uint32_t now = timeGetTime();
    if (now - market.marketLastFrame < MARKET_FRAME_MS) {
        idleUntil(market.marketLastFrame + MARKET_FRAME_MS);
        return;
    }
    market.marketLastFrame = now;
    runMarketFrame();
    flip();
}
