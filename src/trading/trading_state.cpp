// SPDX-License-Identifier: GPL-2.0-or-later
#include "trading/trading_state.h"

#include <cstring>


int32_t buyOrder[SLOTS];
int32_t buySelected;
uint32_t buyTotal;
int32_t buyDecided;
BuyListEntry buyList[SLOTS];
int32_t buyListCount;
int32_t buyRevealTimer;
char buyTotalText[64];
char buyNameText[SLOTS][100];
char buyPriceText[SLOTS][32];
TradeButton buyPrevButton, buyNextButton, buyAddButton, buyRemoveButton, buyDecideButton;

int32_t holdingsSellLatch;

int32_t sellSelected;
int32_t sellProceeds;
char sellProceedsText[64];
char sellPriceText[32];
char sellOrderText[32];
TradeButton sellPrevButton, sellNextButton, sellLotButton, sellTakeBackButton, sellConfirmButton,
    sellCancelButton;

int32_t supportAmount[SLOTS];
int32_t supportSelected;
int32_t supportTotal;
int32_t supportLocked;
char supportTotalText[64];
char supportPriceText[32];
char supportAmountText[32];
char supportNameText[SLOTS][100];
TradeButton supportPrevButton, supportNextButton, supportAddButton, supportRemoveButton, supportConfirmButton,
    supportBackButton;

bool pressButton(TradeButton& button, int left, int top, int right, int bottom, bool condition) {
    if (!cursorIn(left, top, right, bottom)) return false;
    if (!keyDown(Key::LeftButton)) {
        button.latch = 0;
        button.image = 0;
        return false;
    }
    if (button.latch != 0 || !condition) return false;
    button.latch = 1;
    button.image = 1;
    return true;
}

void drawSprite(int x, int y, const Rect& source) { bltFast(devices.backBuffer, x, y, devices.spriteSheet, source, true); }

void copyText(char* destination, int size, const char* source, int sourceSize) {
    // Cut at a character boundary: a double-byte character is copied whole or not at all.
    int length = 0;
    while (length < sourceSize && source[length] != '\0') {
        const auto lead = static_cast<unsigned char>(source[length]);
        const int width = ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) ? 2 : 1;
        if (length + width > size - 1 || length + width > sourceSize) break;
        length += width;
    }
    std::memcpy(destination, source, static_cast<size_t>(length));
    destination[length] = '\0';
}

void resetTradingState() {
    std::memset(buyOrder, 0, sizeof buyOrder);
    buySelected = 0;
    buyTotal = 0;
    buyDecided = 0;
    std::memset(buyList, 0, sizeof buyList);
    buyListCount = 0;
    buyRevealTimer = 0;
    std::memset(buyTotalText, 0, sizeof buyTotalText);
    std::memset(buyNameText, 0, sizeof buyNameText);
    std::memset(buyPriceText, 0, sizeof buyPriceText);
    buyPrevButton = buyNextButton = buyAddButton = buyRemoveButton = buyDecideButton = TradeButton{};

    holdingsSellLatch = 0;

    sellSelected = 0;
    sellProceeds = 0;
    std::memset(sellProceedsText, 0, sizeof sellProceedsText);
    std::memset(sellPriceText, 0, sizeof sellPriceText);
    std::memset(sellOrderText, 0, sizeof sellOrderText);
    sellPrevButton = sellNextButton = sellLotButton = sellTakeBackButton = sellConfirmButton =
        sellCancelButton = TradeButton{};

    std::memset(supportAmount, 0, sizeof supportAmount);
    supportSelected = 0;
    supportTotal = 0;
    supportLocked = 0;
    std::memset(supportTotalText, 0, sizeof supportTotalText);
    std::memset(supportPriceText, 0, sizeof supportPriceText);
    std::memset(supportAmountText, 0, sizeof supportAmountText);
    std::memset(supportNameText, 0, sizeof supportNameText);
    supportPrevButton = supportNextButton = supportAddButton = supportRemoveButton = supportConfirmButton =
        supportBackButton = TradeButton{};
}
