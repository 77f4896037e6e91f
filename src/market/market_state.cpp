// SPDX-License-Identifier: GPL-2.0-or-later
#include "market/market_state.h"

#include <cstring>

#include "core/draw_context.h"

uint32_t marketLastFrame;
int32_t marketTransition;
int32_t marketPaused;
int32_t bankruptShowing;
char bankruptMessage[256];
char lostSharesMessage[256];
int32_t bankruptSlot;
int32_t bankruptRow;
int32_t lostShares[SLOTS];
int32_t lostSharesSlot;
int32_t foundedShowing;
char foundedMessage[256];
int32_t supportShowing;
char supportMessage[256];
int32_t saveShowing;
char saveMessage[256];
int32_t messagePanel[4] = {300, 300, 300, 300};
int32_t messageLatch;
int32_t supportLatch;
int32_t saveLatch;
int32_t zoomA[2] = {200, 200};
int32_t zoomB[2] = {200, 200};
int32_t secondZoom;
int32_t shakeActive;
int32_t shakeCount;
int32_t shakeX;
int32_t shakeY;
int32_t ruinReady;
int32_t stripProgress;

void closeMessagePanel() {
    for (int32_t& edge : messagePanel) edge = 300;
}

void growMessagePanel() {
    getDC();
    selectBrush(brushBlack);
    selectPen(penWhite3);
    roundRect(messagePanel[0], messagePanel[1], messagePanel[2], messagePanel[3], 100, 200);
    releaseDC();
    messagePanel[0] -= 30;
    messagePanel[1] -= 30;
    messagePanel[2] += 30;
    messagePanel[3] += 30;
    if (messagePanel[0] < 100) messagePanel[0] = 100;
    if (messagePanel[1] < 200) messagePanel[1] = 200;
    if (messagePanel[2] > 500) messagePanel[2] = 500;
    if (messagePanel[3] > 400) messagePanel[3] = 400;
}

// The shared part of the market reset; the market's own operations add theirs.
void resetSharedMarketState() {
    marketLastFrame = 0;
    marketTransition = 0;
    marketPaused = 0;
    bankruptShowing = 0;
    std::memset(bankruptMessage, 0, sizeof bankruptMessage);
    std::memset(lostSharesMessage, 0, sizeof lostSharesMessage);
    bankruptSlot = 0;
    bankruptRow = 0;
    std::memset(lostShares, 0, sizeof lostShares);
    lostSharesSlot = 0;
    foundedShowing = 0;
    std::memset(foundedMessage, 0, sizeof foundedMessage);
    supportShowing = 0;
    std::memset(supportMessage, 0, sizeof supportMessage);
    saveShowing = 0;
    std::memset(saveMessage, 0, sizeof saveMessage);
    closeMessagePanel();
    messageLatch = 0;
    supportLatch = 0;
    saveLatch = 0;
    zoomA[0] = zoomA[1] = 200;
    zoomB[0] = zoomB[1] = 200;
    secondZoom = 0;
    shakeActive = 0;
    shakeCount = 0;
    shakeX = 0;
    shakeY = 0;
    ruinReady = 0;
    stripProgress = 0;
}
