// SPDX-License-Identifier: GPL-2.0-or-later
// State of the market screen shared by its operations, the support screen,
// the title menu and the game over; and the message panel that grows open.
#pragma once
#include <cstdint>

#include "state/records.h"

// Program-start values of the market screen, its messages and the news.
void resetMarketState();

extern uint32_t marketLastFrame;
extern int32_t marketTransition;  // 0 normal, 1 set up the entrance, 2 running
extern int32_t marketPaused;

extern int32_t bankruptShowing;
extern char bankruptMessage[256];
extern char lostSharesMessage[256];
extern int32_t bankruptSlot;
extern int32_t bankruptRow;
extern int32_t lostShares[SLOTS];
extern int32_t lostSharesSlot;

extern int32_t foundedShowing;
extern char foundedMessage[256];
extern int32_t supportShowing;
extern char supportMessage[256];
extern int32_t saveShowing;
extern char saveMessage[256];

// left, top, right, bottom; 300 four times means closed.
extern int32_t messagePanel[4];
extern int32_t messageLatch;
extern int32_t supportLatch;
extern int32_t saveLatch;

extern int32_t zoomA[2];  // half-growth (x, y) of the first ruin sprite
extern int32_t zoomB[2];
extern int32_t secondZoom;
extern int32_t shakeActive;
extern int32_t shakeCount;
extern int32_t shakeX;
extern int32_t shakeY;
extern int32_t ruinReady;
extern int32_t stripProgress;

// Draws the rounded panel with its current corners, then widens it.
void growMessagePanel();
void closeMessagePanel();
// Puts the state above back to its program-start values.
void resetSharedMarketState();
