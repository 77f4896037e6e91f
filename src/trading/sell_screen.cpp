// SPDX-License-Identifier: GPL-2.0-or-later
// The sell screen: stage lots of the companies bought on the buy screen, then
// confirm (paid, prices fall) or cancel (the shares go back).
#include <cstdio>

#include "core/devices.h"
#include "core/draw_context.h"
#include "core/rng.h"
#include "core/saturate.h"
#include "core/scenes.h"
#include "state/records.h"
#include "trading/trading_state.h"

namespace {

constexpr int32_t LOT = 10000;

constexpr Rect prevImages[2] = {{0, 28, 66, 65}, {67, 28, 133, 65}};
constexpr Rect nextImages[2] = {{0, 65, 66, 102}, {67, 65, 133, 102}};
constexpr Rect lotImages[2] = {{202, 103, 236, 118}, {236, 103, 270, 118}};
constexpr Rect takeBackImages[2] = {{202, 118, 236, 133}, {236, 118, 270, 133}};
// Confirm and cancel leave the screen on the press that would show them
// pressed, so they are always drawn with their normal images.
constexpr Rect confirmImage = {0, 102, 66, 139};
constexpr Rect cancelImage = {0, 139, 66, 176};

const Rect& imageOf(const TradeButton& button, const Rect (&images)[2]) {
    return images[button.image == 1 ? 1 : 0];
}

void formatProceeds() {
    std::snprintf(trading.sellProceedsText, sizeof trading.sellProceedsText, "%ld0000円",
                  static_cast<long>(trading.sellProceeds));
}

void confirmSale() {
    for (int i = 0; i < SLOTS; ++i) {
        if (TradeRows[i].sellPending != 0) {
            ListedCompanies[i].price = addClamped(ListedCompanies[i].price, -(1 + nextRandom() % 10));
        }
    }
    for (TradeRow& row : TradeRows) {
        row.sellOrder = 0;
        row.sellPending = 0;
    }
    trading.sellSelected = 0;
    Player.cash = addClamped(Player.cash, trading.sellProceeds);
    std::snprintf(Player.cashText, sizeof Player.cashText, "%ld0000円", static_cast<long>(Player.cash));
    trading.sellProceeds = 0;
    formatProceeds();
    loop.GameScene = SCENE_MARKET;
}

void cancelSale() {
    for (int i = 0; i < SLOTS; ++i) {
        Holdings[i].shares = addClamped(Holdings[i].shares, TradeRows[i].sellOrder);
        TradeRows[i].sellOrder = 0;
        TradeRows[i].sellPending = 0;
    }
    trading.sellProceeds = 0;
    formatProceeds();
    loop.GameScene = SCENE_MARKET;
}

void stageLot(int slot) {
    TradeRows[slot].sellOrder = addClamped(TradeRows[slot].sellOrder, LOT);
    TradeRows[slot].sellPending = 1;
    trading.sellProceeds = addClamped(trading.sellProceeds, ListedCompanies[slot].price);
    formatProceeds();
    Holdings[slot].shares -= LOT;
    if (Holdings[slot].shares < 0) Holdings[slot].shares = 0;
}

void takeLotBack(int slot) {
    TradeRows[slot].sellOrder -= LOT;
    trading.sellProceeds = addClamped(trading.sellProceeds, -int64_t{ListedCompanies[slot].price});
    formatProceeds();
    Holdings[slot].shares = addClamped(Holdings[slot].shares, LOT);
    if (TradeRows[slot].sellOrder == 0) TradeRows[slot].sellPending = 0;
}

}  // namespace

void sceneSell() {
    getCursorPos();
    bltFast(devices.backBuffer, 0, 0, devices.ukeSurface, Rect{0, 0, 640, 480}, false);
    drawSprite(180, 130, imageOf(trading.sellPrevButton, prevImages));
    drawSprite(400, 130, imageOf(trading.sellNextButton, nextImages));
    drawSprite(470, 177, imageOf(trading.sellLotButton, lotImages));
    drawSprite(470, 197, imageOf(trading.sellTakeBackButton, takeBackImages));
    drawSprite(230, 430, confirmImage);
    drawSprite(370, 430, cancelImage);

    if (pressButton(trading.sellPrevButton, 180, 130, 246, 167)) --trading.sellSelected;
    if (pressButton(trading.sellNextButton, 400, 130, 466, 167)) ++trading.sellSelected;
    if (trading.sellSelected < 0) trading.sellSelected = SLOTS - 1;
    if (trading.sellSelected > SLOTS - 1) trading.sellSelected = 0;

    const int shown = trading.sellSelected;
    std::snprintf(trading.sellPriceText, sizeof trading.sellPriceText, "%d",
                  static_cast<int>(ListedCompanies[shown].price));
    std::snprintf(trading.sellOrderText, sizeof trading.sellOrderText, "%d",
                  static_cast<int>(TradeRows[shown].sellOrder));
    for (int i = 0; i < SLOTS; ++i) {
        copyText(TradeRows[i].name, sizeof TradeRows[i].name, ListedCompanies[i].name,
                 sizeof ListedCompanies[i].name);
        std::snprintf(TradeRows[i].sharesText, sizeof TradeRows[i].sharesText, "%ld",
                      static_cast<long>(Holdings[i].shares));
    }

    getDC();
    setBkMode(BkMode::Transparent);
    setTextColor(255, 255, 255);
    textOut(292, 93, trading.sellPriceText);
    textOut(230, 110, TradeRows[shown].name);
    textOut(400, 177, TradeRows[shown].sharesText);
    textOut(400, 194, trading.sellOrderText);
    textOut(400, 219, trading.sellProceedsText);
    textOut(435, 237, Player.cashText);
    releaseDC();

    if (pressButton(trading.sellConfirmButton, 230, 430, 296, 467)) confirmSale();
    if (pressButton(trading.sellCancelButton, 370, 430, 436, 467)) cancelSale();

    // The shown company may have changed to 0 on a confirm; the lot buttons
    // act on the company shown now.
    const int slot = trading.sellSelected;
    if (pressButton(trading.sellLotButton, 470, 177, 504, 192,
                    TradeRows[slot].bought != 0 && Holdings[slot].shares > 0)) {
        stageLot(slot);
    }
    if (pressButton(trading.sellTakeBackButton, 470, 197, 504, 212,
                    TradeRows[slot].bought != 0 && TradeRows[slot].sellOrder > 0)) {
        takeLotBack(slot);
    }

    drawCursorSprite();
    flip();
}
