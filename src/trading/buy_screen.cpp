// SPDX-License-Identifier: GPL-2.0-or-later
// The buy screen: browse the listed companies, order lots, pay on decide, and
// on back raise the price of every company bought.
#include <cstdint>
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
constexpr int32_t REVEAL_FRAMES = 15;
constexpr int LIST_TOP = 210;
constexpr int LIST_STEP = 20;

constexpr Rect prevImages[2] = {{0, 28, 66, 65}, {67, 28, 133, 65}};
constexpr Rect nextImages[2] = {{0, 65, 66, 102}, {67, 65, 133, 102}};
constexpr Rect addImages[2] = {{202, 103, 236, 118}, {236, 103, 270, 118}};
constexpr Rect removeImages[2] = {{202, 118, 236, 133}, {236, 118, 270, 133}};
constexpr Rect decideImages[2] = {{0, 102, 66, 139}, {67, 102, 133, 139}};
constexpr Rect backImage = {0, 139, 66, 176};

const Rect& imageOf(const TradeButton& button, const Rect (&images)[2]) {
    return images[button.image == 1 ? 1 : 0];
}

void formatBuyTotal() {
    // The total prints as the signed 32-bit number it is on the original platform.
    std::snprintf(trading.buyTotalText, sizeof trading.buyTotalText, "総額 %ld0000円",
                  static_cast<long>(static_cast<int32_t>(trading.buyTotal)));
}

void formatOrderText(int slot) {
    std::snprintf(TradeRows[slot].sharesText, sizeof TradeRows[slot].sharesText, "現在の持ち株数 %ld株",
                  static_cast<long>(trading.buyOrder[slot]));
}

// A lot the cash cannot cover (totals compared unsigned) is not taken.
void addLot(int slot) {
    const uint32_t total = trading.buyTotal + static_cast<uint32_t>(ListedCompanies[slot].price);
    if (total <= static_cast<uint32_t>(Player.cash)) {
        trading.buyOrder[slot] = addClamped(trading.buyOrder[slot], LOT);
        trading.buyTotal = total;
        Holdings[slot].shares = addClamped(Holdings[slot].shares, LOT);
    }
    formatBuyTotal();
    formatOrderText(slot);
    TradeRows[slot].bought = 1;
}

// Only lots ordered in this visit come off.
void removeLot(int slot) {
    if (trading.buyOrder[slot] >= LOT) {
        trading.buyOrder[slot] -= LOT;
        trading.buyTotal -= static_cast<uint32_t>(ListedCompanies[slot].price);
        Holdings[slot].shares = addClamped(Holdings[slot].shares, -LOT);
    }
    formatBuyTotal();
    formatOrderText(slot);
}

void decide() {
    trading.buyListCount = 0;
    if (trading.buyTotal != 0) {
        for (int i = 0; i < SLOTS; ++i) {
            if (trading.buyOrder[i] <= 0) continue;
            BuyListEntry& entry = trading.buyList[trading.buyListCount++];
            copyText(entry.name, sizeof entry.name, ListedCompanies[i].name, sizeof ListedCompanies[i].name);
            std::snprintf(entry.quantity, sizeof entry.quantity, "%ld株",
                          static_cast<long>(trading.buyOrder[i]));
        }
    }
    Player.cash = addClamped(Player.cash, -static_cast<int64_t>(trading.buyTotal));
    std::snprintf(Player.cashText, sizeof Player.cashText, "%ld0000円", static_cast<long>(Player.cash));
    trading.buyDecided = 1;
    trading.buySelected = 0;
}

// The rule under the purchase list, written straight into the back buffer.
// A row below the screen or a failed lock draws nothing.
void drawListRule() {
    const int row = LIST_TOP + LIST_STEP * trading.buyListCount;
    if (row >= devices.backBuffer.height || devices.backBuffer.width < 620) return;
    int pitch = 0;
    uint8_t* pixels = lockSurface(devices.backBuffer, &pitch);
    if (pixels == nullptr) return;
    uint8_t* line = pixels + row * pitch;
    for (int x = 20; x <= 619; ++x) line[x] = 255;
    unlockSurface(devices.backBuffer);
}

void leaveToMarket() {
    for (int i = 0; i < SLOTS; ++i) {
        if (trading.buyOrder[i] <= 0) continue;
        ListedCompanies[i].price = addClamped(ListedCompanies[i].price, 1 + nextRandom() % 5);
        PortfolioValue.stockValue = addClamped(
            PortfolioValue.stockValue, int64_t{ListedCompanies[i].price} * (trading.buyOrder[i] / LOT));
        PortfolioValue.everBought = 1;
    }
    for (int32_t& order : trading.buyOrder) order = 0;
    std::snprintf(PortfolioValue.stockValueText, sizeof PortfolioValue.stockValueText,
                  "ただいまの株価値 %ld0000円", static_cast<long>(PortfolioValue.stockValue));
    trading.buyTotal = 0;
    formatBuyTotal();
    trading.buyListCount = 0;
    trading.buyRevealTimer = 0;
    trading.buyDecided = 0;
    loop.GameScene = SCENE_MARKET;
}

}  // namespace

void sceneBuy() {
    for (int i = 0; i < SLOTS; ++i) {
        copyText(trading.buyNameText[i], sizeof trading.buyNameText[i], ListedCompanies[i].name,
                 sizeof ListedCompanies[i].name);
        std::snprintf(trading.buyPriceText[i], sizeof trading.buyPriceText[i], "現在の株価 %d",
                      static_cast<int>(ListedCompanies[i].price));
    }

    getCursorPos();

    bltFast(devices.backBuffer, 0, 0, devices.kounyuSurface, Rect{0, 0, 640, 480}, false);
    drawSprite(150, 110, imageOf(trading.buyPrevButton, prevImages));
    drawSprite(400, 110, imageOf(trading.buyNextButton, nextImages));
    drawSprite(440, 157, imageOf(trading.buyAddButton, addImages));
    drawSprite(440, 177, imageOf(trading.buyRemoveButton, removeImages));
    drawSprite(230, 430, imageOf(trading.buyDecideButton, decideImages));
    drawSprite(370, 430, backImage);

    if (pressButton(trading.buyPrevButton, 150, 110, 216, 147)) --trading.buySelected;
    if (pressButton(trading.buyNextButton, 400, 110, 466, 147)) ++trading.buySelected;
    if (trading.buySelected < 0) trading.buySelected = SLOTS - 1;
    if (trading.buySelected > SLOTS - 1) trading.buySelected = 0;

    if (pressButton(trading.buyAddButton, 440, 157, 474, 174, trading.buyDecided == 0))
        addLot(trading.buySelected);
    if (pressButton(trading.buyRemoveButton, 440, 177, 474, 192, trading.buyDecided == 0))
        removeLot(trading.buySelected);

    const bool decidePressed =
        pressButton(trading.buyDecideButton, 230, 430, 296, 467, trading.buyDecided == 0);
    if (cursorIn(230, 430, 296, 467) && keyDown(Key::LeftButton)) trading.buyDecideButton.image = 1;
    if (decidePressed) decide();

    char orderText[32];
    std::snprintf(orderText, sizeof orderText, "%d株",
                  static_cast<int>(trading.buyOrder[trading.buySelected]));

    getDC();
    setBkMode(BkMode::Transparent);
    setTextColor(255, 255, 255);
    textOut(150, 90, "どこの株を買いますか？");
    textOut(230, 120, trading.buyNameText[trading.buySelected]);
    textOut(200, 150, "何株、買いますか？");
    textOut(360, 150, orderText);
    textOut(200, 170, trading.buyPriceText[trading.buySelected]);
    textOut(250, 190, "購入株一覧");
    setTextColor(255, 255, 0);
    textOut(505, 417, Player.cashText);
    textOut(460, 440, trading.buyTotalText);

    if (trading.buyDecided != 0) {
        if (trading.buyRevealTimer < INT32_MAX) ++trading.buyRevealTimer;
        setTextColor(0, 255, 255);
        for (int i = 0; i < trading.buyListCount; ++i) {
            if (REVEAL_FRAMES * i >= trading.buyRevealTimer) break;
            const int y = LIST_TOP + LIST_STEP * i;
            if (y >= SCREEN_HEIGHT) break;
            textOut(250, y, trading.buyList[i].name);
            textOut(450, y, trading.buyList[i].quantity);
        }
    }
    releaseDC();

    if (trading.buyRevealTimer > REVEAL_FRAMES * trading.buyListCount) drawListRule();

    drawCursorSprite();

    if (trading.buyDecided != 0 && cursorIn(370, 430, 436, 467) && keyDown(Key::LeftButton)) leaveToMarket();

    flip();
}
