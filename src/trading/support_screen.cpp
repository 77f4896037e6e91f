// SPDX-License-Identifier: GPL-2.0-or-later
// The support screen: pledge 10,000 to 100,000 yen to one listed company; on
// confirm the money is spent and the support succeeds by chance.
#include <cstdio>

#include "market/market_state.h"
#include "core/draw_context.h"
#include "core/devices.h"
#include "core/rng.h"
#include "core/saturate.h"
#include "core/scenes.h"
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
    std::snprintf(supportTotalText, sizeof supportTotalText, "総額 %ld0000円",
                  static_cast<long>(supportTotal));
}

void setArrows(int32_t image) {
    supportPrevButton.image = image;
    supportNextButton.image = image;
}

void pledgeMore(int slot) {
    if (supportAmount[slot] < MAX_AMOUNT) {
        ++supportAmount[slot];
        ++supportTotal;
    }
    setArrows(IMAGE_DISABLED);
    supportLocked = 1;
    formatSupportTotal();
}

void pledgeLess(int slot) {
    if (supportAmount[slot] > 0) {
        --supportAmount[slot];
        --supportTotal;
        if (supportAmount[slot] == 0) {
            setArrows(0);
            supportLocked = 0;
        }
    }
    formatSupportTotal();
}

void confirmSupport() {
    Player.cash = addClamped(Player.cash, -int64_t{supportTotal});
    std::snprintf(Player.cashText, sizeof Player.cashText, "　　 %ld0000円", static_cast<long>(Player.cash));
    char name[100];
    for (int i = 0; i < SLOTS; ++i) {
        const int32_t amount = supportAmount[i];
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
    for (int32_t& amount : supportAmount) amount = 0;
    market.supportShowing = 1;
    supportSelected = 0;
    supportTotal = 0;
    supportLocked = 0;
    formatSupportTotal();
    setArrows(0);
    loop.GameScene = SCENE_MARKET;
}

void leaveWithoutSupport() {
    supportAmount[supportSelected] = 0;
    supportSelected = 0;
    supportTotal = 0;
    formatSupportTotal();
    supportLocked = 0;
    setArrows(0);
    supportBackButton.image = 0;
    supportConfirmButton.image = 0;
    loop.GameScene = SCENE_MARKET;
}

}  // namespace

void sceneSupport() {
    getCursorPos();
    bltFast(devices.backBuffer, 0, 0, devices.shienSurface, Rect{0, 0, 640, 480}, false);
    drawSprite(120, 310, arrowImageOf(supportPrevButton, prevImages));
    drawSprite(470, 310, arrowImageOf(supportNextButton, nextImages));
    drawSprite(240, 357, imageOf(supportAddButton, addImages));
    drawSprite(240, 377, imageOf(supportRemoveButton, removeImages));
    drawSprite(230, 430, imageOf(supportConfirmButton, confirmImages));
    drawSprite(370, 430, imageOf(supportBackButton, backImages));

    std::snprintf(supportPriceText, sizeof supportPriceText, "%d",
                  static_cast<int>(ListedCompanies[supportSelected].price));
    std::snprintf(supportAmountText, sizeof supportAmountText, "%d0000円",
                  static_cast<int>(supportAmount[supportSelected]));
    for (int i = 0; i < SLOTS; ++i) {
        copyText(supportNameText[i], sizeof supportNameText[i], ListedCompanies[i].name,
                 sizeof ListedCompanies[i].name);
    }

    // A disabled arrow ignores the mouse: no action, no latch, no image change.
    if (supportPrevButton.image != IMAGE_DISABLED &&
        pressButton(supportPrevButton, 120, 310, 186, 347, supportLocked == 0)) {
        --supportSelected;
    }
    if (supportNextButton.image != IMAGE_DISABLED &&
        pressButton(supportNextButton, 470, 310, 536, 347, supportLocked == 0)) {
        ++supportSelected;
    }
    if (supportSelected < 0) supportSelected = SLOTS - 1;
    if (supportSelected > SLOTS - 1) supportSelected = 0;

    if (pressButton(supportAddButton, 240, 357, 274, 374,
                    Player.cash != 0 && Player.cash != supportTotal)) {
        pledgeMore(supportSelected);
    }
    if (pressButton(supportRemoveButton, 240, 377, 274, 394)) pledgeLess(supportSelected);

    getDC();
    setBkMode(BkMode::Transparent);
    setTextColor(255, 255, 255);
    textOut(245, 265, supportPriceText);
    textOut(150, 290, "どこの株に支援しますか？");
    textOut(200, 310, "←");
    textOut(230, 310, supportNameText[supportSelected]);
    textOut(450, 310, "→");
    textOut(200, 330, "いくら支援しますか？");
    textOut(360, 330, supportAmountText);
    textOut(470, 410, supportTotalText);
    textOut(470, 430, Player.cashText);
    releaseDC();

    if (pressButton(supportConfirmButton, 230, 430, 296, 467)) confirmSupport();
    if (pressButton(supportBackButton, 370, 430, 436, 467)) leaveWithoutSupport();

    drawCursorSprite();
    flip();
}
