// SPDX-License-Identifier: GPL-2.0-or-later
// State of the market screen and its operations, shared with the support
// screen, the title menu and the game over; and the message panel that grows
// open.
#pragma once
#include <cstdint>

#include "core/devices.h"
#include "state/records.h"

// The entrance transition's copy: the work surface onto the back buffer.
struct StripTransition {
    Rect source{};
    int targetX = 0, targetY = 0;
    int stripWidth = 0;
    int speed = 0;
    Surface* target = nullptr;
    Surface* from = nullptr;

    bool operator==(const StripTransition&) const = default;
};

// Every field holds its program-start value until the game changes it.
struct MarketState {
    uint32_t marketLastFrame = 0;
    int32_t marketTransition = 0;  // 0 normal, 1 set up the entrance, 2 running
    int32_t marketPaused = 0;

    // Messages.
    int32_t bankruptShowing = 0;
    char bankruptMessage[256] = {};
    char lostSharesMessage[256] = {};
    int32_t bankruptSlot = 0;
    int32_t bankruptRow = 0;
    int32_t lostShares[SLOTS] = {};
    int32_t lostSharesSlot = 0;
    int32_t foundedShowing = 0;
    char foundedMessage[256] = {};
    int32_t supportShowing = 0;
    char supportMessage[256] = {};
    int32_t saveShowing = 0;
    char saveMessage[256] = {};
    // left, top, right, bottom; 300 four times means closed.
    int32_t messagePanel[4] = {300, 300, 300, 300};
    int32_t messageLatch = 0;
    int32_t supportLatch = 0;
    int32_t saveLatch = 0;

    // Ruin animation and shake.
    int32_t zoomA[2] = {200, 200};  // half-growth (x, y) of the first ruin sprite
    int32_t zoomB[2] = {200, 200};
    int32_t secondZoom = 0;
    int32_t shakeActive = 0;
    int32_t shakeCount = 0;
    int32_t shakeX = 0;
    int32_t shakeY = 0;
    int32_t ruinReady = 0;

    // Entrance transition.
    int32_t stripProgress = 0;
    StripTransition strip;

    // Price movement.
    int32_t stepTicks = 0;
    int32_t priceStepSize[SLOTS] = {};
    int32_t priceDirection[SLOTS] = {};  // 1 rise, 2 fall

    // Calendar.
    char dateText[64] = {};
    char endMessage[64] = {};

    // Daily news.
    int32_t newsMode = 0;  // 0 general, 1 company, 2 closing line
    int32_t newsChosen = 0;
    int32_t newsIndex = 0;
    int32_t newsCompany = 0;
    char newsText[256] = {};
    int32_t newsLength = 0;
    int32_t newsX = 640;
    int32_t newsCoinDrawn = 0;
    int32_t newsCoin = 0;
    int32_t newsDelta = 0;
    // rise and fall of row 0, rise and fall of row 1, row 2, row 3
    int32_t newsApplied[6] = {};

    // Asset panel and the button column.
    int32_t saveButtonLatch = 0;
    uint32_t saveButtonTicket = 0;  // the button's save until it has been written
    int32_t fastForwardLatch = 0;
    int32_t fastForwardPressed = 0;

    bool operator==(const MarketState&) const = default;
};
extern MarketState market;

// Puts the market state back to its program-start values.
void resetMarketState();

// Draws the rounded panel with its current corners, then widens it.
void growMessagePanel();
void closeMessagePanel();
