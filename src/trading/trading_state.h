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
// Program-start values of the buy, holdings, sell and support screens.
void resetTradingState();

// A sprite button: the image shown (0 normal, 1 pressed, 2 disabled) and its
// press latch.
struct TradeButton {
    int32_t image;
    int32_t latch;
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

// Buy screen.
struct BuyListEntry {
    char name[100];
    char quantity[32];
};
extern int32_t buyOrder[SLOTS];
extern int32_t buySelected;
extern uint32_t buyTotal;
extern int32_t buyDecided;
extern BuyListEntry buyList[SLOTS];
extern int32_t buyListCount;
extern int32_t buyRevealTimer;
extern char buyTotalText[64];
extern char buyNameText[SLOTS][100];
extern char buyPriceText[SLOTS][32];
extern TradeButton buyPrevButton, buyNextButton, buyAddButton, buyRemoveButton, buyDecideButton;

// Holdings list.
extern int32_t holdingsSellLatch;

// Sell screen.
extern int32_t sellSelected;
extern int32_t sellProceeds;
extern char sellProceedsText[64];
extern char sellPriceText[32];
extern char sellOrderText[32];
extern TradeButton sellPrevButton, sellNextButton, sellLotButton, sellTakeBackButton, sellConfirmButton,
    sellCancelButton;

// Support screen.
extern int32_t supportAmount[SLOTS];
extern int32_t supportSelected;
extern int32_t supportTotal;
extern int32_t supportLocked;
extern char supportTotalText[64];
extern char supportPriceText[32];
extern char supportAmountText[32];
extern char supportNameText[SLOTS][100];
extern TradeButton supportPrevButton, supportNextButton, supportAddButton, supportRemoveButton,
    supportConfirmButton, supportBackButton;
