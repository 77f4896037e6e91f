// SPDX-License-Identifier: GPL-2.0-or-later
// The support screen: pledge 10,000 to 100,000 yen to one listed company; on
// confirm the money is spent and the support succeeds by chance.
#include <cstdio>

#include "core/devices.h"
#include "core/draw_context.h"
#include "core/rng.h"
#include "core/saturate.h"
#include "core/scenes.h"
#include "market/market_state.h"
#include "state/records.h"
#include "trading/trading_state.h"

namespace {

constexpr int32_t MAX_AMOUNT = 10;
constexpr int32_t IMAGE_DISABLED = 2;

constexpr Rect prevImages[3] = {{0, 28, 66, 65}, {67, 28, 133, 65}, {335, 28, 401, 65}};
constexpr Rect nextImages[3] = {{0, 65, 66, 102}, {67, 65, 133, 102}, {335, 65, 401, 102}};
constexpr Rect addImages[2] = {{202, 103, 236, 118}, {236, 103, 270, 118}};
constexpr Rect removeImages[2] = {{202, 118, 236, 133}, {236, 118, 270, 133}};
constexpr Rect confirmImages[2] = {{0, 102, 66, 139}, {67, 102, 133, 139}};
constexpr Rect backImages[2] = {{0, 139, 66, 176}, {67, 139, 133, 176}};

const Rect& imageOf(const TradeButton& button, const Rect (&images)[2]) {
    return images[button.image == 1 ? 1 : 0];
}

const Rect& arrowImageOf(const TradeButton& button, const Rect (&images)[3]) {
    const int32_t image = button.image;
    return images[image >= 0 && image <= 2 ? image : 0];
}

void formatSupportTotal() {
    std::snprintf(trading.supportTotalText, sizeof trading.supportTotalText, "総額 %ld0000円",
                  static_cast<long>(trading.supportTotal));
}

void setArrows(int32_t image) {
    trading.supportPrevButton.image = image;
    trading.supportNextButton.image = image;
}

void pledgeMore(int slot) {
    if (trading.supportAmount[slot] < MAX_AMOUNT) {
        ++trading.supportAmount[slot];
        ++trading.supportTotal;
    }
    setArrows(IMAGE_DISABLED);
    trading.supportLocked = 1;
    formatSupportTotal();
}

void pledgeLess(int slot) {
    if (trading.supportAmount[slot] > 0) {
        --trading.supportAmount[slot];
        --trading.supportTotal;
        if (trading.supportAmount[slot] == 0) {
            setArrows(0);
            trading.supportLocked = 0;
        }
    }
    formatSupportTotal();
}

void confirmSupport() {
    Player.cash = addClamped(Player.cash, -int64_t{trading.supportTotal});
    std::snprintf(Player.cashText, sizeof Player.cashText, "　　 %ld0000円", static_cast<long>(Player.cash));
    char name[100];
    for (int i = 0; i < SLOTS; ++i) {
        const int32_t amount = trading.supportAmount[i];
        if (amount < 1 || amount > MAX_AMOUNT) continue;
        const int32_t r = nextRandom();
        copyText(name, sizeof name, ListedCompanies[i].name, sizeof ListedCompanies[i].name);
        if (r % (12 - amount) == 0) {
            std::snprintf(market.supportMessage, sizeof market.supportMessage, "%sへの支援が成功しました,",
                          name);
            ListedCompanies[i].price = addClamped(ListedCompanies[i].price, amount + 1);
        } else {
            std::snprintf(market.supportMessage, sizeof market.supportMessage, "%sへの支援が失敗しました,",
                          name);
        }
    }
    for (int32_t& amount : trading.supportAmount) amount = 0;
    market.supportShowing = 1;
    trading.supportSelected = 0;
    trading.supportTotal = 0;
    trading.supportLocked = 0;
    formatSupportTotal();
    setArrows(0);
    loop.GameScene = SCENE_MARKET;
}

void leaveWithoutSupport() {
    trading.supportAmount[trading.supportSelected] = 0;
    trading.supportSelected = 0;
    trading.supportTotal = 0;
    formatSupportTotal();
    trading.supportLocked = 0;
    setArrows(0);
    trading.supportBackButton.image = 0;
    trading.supportConfirmButton.image = 0;
    loop.GameScene = SCENE_MARKET;
}

}  // namespace

void sceneSupport() {
    getCursorPos();
    bltFast(devices.backBuffer, 0, 0, devices.shienSurface, Rect{0, 0, 640, 480}, false);
    drawSprite(120, 310, arrowImageOf(trading.supportPrevButton, prevImages));
    drawSprite(470, 310, arrowImageOf(trading.supportNextButton, nextImages));
    drawSprite(240, 357, imageOf(trading.supportAddButton, addImages));
    drawSprite(240, 377, imageOf(trading.supportRemoveButton, removeImages));
    drawSprite(230, 430, imageOf(trading.supportConfirmButton, confirmImages));
    drawSprite(370, 430, imageOf(trading.supportBackButton, backImages));

    std::snprintf(trading.supportPriceText, sizeof trading.supportPriceText, "%d",
                  static_cast<int>(ListedCompanies[trading.supportSelected].price));
    std::snprintf(trading.supportAmountText, sizeof trading.supportAmountText, "%d0000円",
                  static_cast<int>(trading.supportAmount[trading.supportSelected]));
    for (int i = 0; i < SLOTS; ++i) {
        copyText(trading.supportNameText[i], sizeof trading.supportNameText[i], ListedCompanies[i].name,
                 sizeof ListedCompanies[i].name);
    }

    // A disabled arrow ignores the mouse: no action, no latch, no image change.
    if (trading.supportPrevButton.image != IMAGE_DISABLED &&
        pressButton(trading.supportPrevButton, 120, 310, 186, 347, trading.supportLocked == 0)) {
        --trading.supportSelected;
    }
    if (trading.supportNextButton.image != IMAGE_DISABLED &&
        pressButton(trading.supportNextButton, 470, 310, 536, 347, trading.supportLocked == 0)) {
        ++trading.supportSelected;
    }
    if (trading.supportSelected < 0) trading.supportSelected = SLOTS - 1;
    if (trading.supportSelected > SLOTS - 1) trading.supportSelected = 0;

    if (pressButton(trading.supportAddButton, 240, 357, 274, 374,
                    Player.cash != 0 && Player.cash != trading.supportTotal)) {
        pledgeMore(trading.supportSelected);
    }
    if (pressButton(trading.supportRemoveButton, 240, 377, 274, 394)) pledgeLess(trading.supportSelected);

    getDC();
    setBkMode(BkMode::Transparent);
    setTextColor(255, 255, 255);
    textOut(245, 265, trading.supportPriceText);
    textOut(150, 290, "どこの株に支援しますか？");
    textOut(200, 310, "←");
    textOut(230, 310, trading.supportNameText[trading.supportSelected]);
    textOut(450, 310, "→");
    textOut(200, 330, "いくら支援しますか？");
    textOut(360, 330, trading.supportAmountText);
    textOut(470, 410, trading.supportTotalText);
    textOut(470, 430, Player.cashText);
    releaseDC();

    if (pressButton(trading.supportConfirmButton, 230, 430, 296, 467)) confirmSupport();
    if (pressButton(trading.supportBackButton, 370, 430, 436, 467)) leaveWithoutSupport();

    drawCursorSprite();
    flip();
}
