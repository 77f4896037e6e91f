// SPDX-License-Identifier: GPL-2.0-or-later
// The operations of the market screen and the state each of them keeps.
#pragma once
#include <cstdint>

#include "state/records.h"

// Price movement (price_step.cpp).
constexpr int32_t PRICE_STEP_FRAMES = 60;
constexpr int32_t PRICE_CEILING = 999;
extern int32_t stepTicks;
extern int32_t priceStepSize[SLOTS];
extern int32_t priceDirection[SLOTS];  // 1 rise, 2 fall
void priceStep();
// Appends every slot's current price to its history (keeps the last 13).
void sampleHistory();
// Declares the company in `slot` bankrupt and pauses the market.
void declareBankruptcy(int32_t slot);
void resetPriceStepState();

// Calendar (calendar.cpp).
constexpr int32_t FRAMES_PER_DAY = 3000000;
extern char dateText[64];
extern char endMessage[64];
int32_t monthLength(int32_t year, int32_t month);
void calendarTick();
void resetCalendarState();

// Founding (founding.cpp).
void foundCompany(int32_t slot, int32_t oldRow);
// The free catalogue row the founding takes (reseeds the generator per attempt).
int32_t drawFreeCatalogRow();

// Daily news (news.cpp, news_headlines.cpp).
constexpr int32_t NEWS_HEADLINES = 44;
extern const char* const newsHeadlines[NEWS_HEADLINES];
extern int32_t newsMode;  // 0 general, 1 company, 2 closing line
extern int32_t newsChosen;
extern int32_t newsIndex;
extern int32_t newsCompany;
extern char newsText[256];
extern int32_t newsLength;
extern int32_t newsX;
extern int32_t newsCoinDrawn;
extern int32_t newsCoin;
extern int32_t newsDelta;
// rise and fall of row 0, rise and fall of row 1, row 2, row 3
extern int32_t newsApplied[6];
void newsTick();
// The jump of company headline `row` for the company in newsCompany.
void applyNewsEffect(int32_t row);
void resetNewsState();

// Asset panel and the button column (asset_panel.cpp).
extern int32_t saveButtonLatch;
extern int32_t fastForwardLatch;
extern int32_t fastForwardPressed;
void assetPanel();
// Brings every slot's graph steps up to date for the price graph.
void prepareGraphSteps();
void resetAssetPanelState();

// The frame (market_frame.cpp): pacing, then one frame and the flip.
// runMarketFrame draws and moves one frame without pacing or present.
void marketFrame();
void runMarketFrame();

// The messages of the frame (market_messages.cpp).
// The press-latch rule of the message clicks: true on a press with the latch clear.
bool messageClick(int32_t& latch);
void showBankruptMessage();
void showFoundedMessage();
void showSupportMessage();
void showSaveMessage();

// Ruin animation and shake (ruin_zoom.cpp).
void ruinZoom();
// Draws the main background shaken by (shakeX, shakeY) after moving them.
void shakeBackground();

// Entrance transition (strip_transition.cpp).
bool stripTransitionSetup();
// One frame of the transition; true when it has ended.
bool stripTransitionStep();
void resetStripTransitionState();
