// SPDX-License-Identifier: GPL-2.0-or-later
// State of the buy, holdings, sell and support screens, kept between visits,
// and the button helpers they share.
#pragma once
#include <cstdint>

#include "core/devices.h"
#include "state/records.h"

// The scene functions of the trading screens.
void sceneBuy();
void sceneHoldings();
void sceneSell();
void sceneSupport();
// Puts the state of the buy, holdings, sell and support screens back to its
// program-start values.
void resetTradingState();

// A sprite button: the image shown (0 normal, 1 pressed, 2 disabled) and its
// press latch.
struct TradeButton {
    int32_t image = 0;
    int32_t latch = 0;

    bool operator==(const TradeButton&) const = default;
};

// The press rule of the trading buttons. While the cursor is inside the hit
// area (inclusive bounds), a frame with the left button up clears the latch and
// shows the normal image; a frame with the button down, the latch clear and
// `condition` met sets the latch, shows the pressed image and returns true.
// Outside the area, latch and image keep their values.
bool pressButton(TradeButton& button, int left, int top, int right, int bottom, bool condition = true);
// Copies a sprite-sheet rectangle to the back buffer with the colour key.
void drawSprite(int x, int y, const Rect& source);
// Copies a code page 932 text of at most sourceSize bytes into a field of
// `size` bytes, cut at a character boundary and always NUL-terminated.
void copyText(char* destination, int size, const char* source, int sourceSize);

// The state of the four screens; every field holds its program-start value
// until the game changes it.
struct BuyListEntry {
    char name[100];
    char quantity[32];

    bool operator==(const BuyListEntry&) const = default;
};
struct TradingState {
    // Buy screen.
    int32_t buyOrder[SLOTS] = {};
    int32_t buySelected = 0;
    uint32_t buyTotal = 0;
    int32_t buyDecided = 0;
    BuyListEntry buyList[SLOTS] = {};
    int32_t buyListCount = 0;
    int32_t buyRevealTimer = 0;
    char buyTotalText[64] = {};
    char buyNameText[SLOTS][100] = {};
    char buyPriceText[SLOTS][32] = {};
    TradeButton buyPrevButton, buyNextButton, buyAddButton, buyRemoveButton, buyDecideButton;

    // Holdings list.
    int32_t holdingsSellLatch = 0;

    // Sell screen.
    int32_t sellSelected = 0;
    int32_t sellProceeds = 0;
    char sellProceedsText[64] = {};
    char sellPriceText[32] = {};
    char sellOrderText[32] = {};
    TradeButton sellPrevButton, sellNextButton, sellLotButton, sellTakeBackButton, sellConfirmButton,
        sellCancelButton;

    // Support screen.
    int32_t supportAmount[SLOTS] = {};
    int32_t supportSelected = 0;
    int32_t supportTotal = 0;
    int32_t supportLocked = 0;
    char supportTotalText[64] = {};
    char supportPriceText[32] = {};
    char supportAmountText[32] = {};
    char supportNameText[SLOTS][100] = {};
    TradeButton supportPrevButton, supportNextButton, supportAddButton, supportRemoveButton,
        supportConfirmButton, supportBackButton;

    bool operator==(const TradingState&) const = default;
};
extern TradingState trading;
