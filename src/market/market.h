// SPDX-License-Identifier: GPL-2.0-or-later
// The operations of the market screen; the state they keep is in market_state.h.
#pragma once
#include <cstdint>

#include "market/market_state.h"
#include "state/records.h"

// Price movement (price_step.cpp).
constexpr int32_t PRICE_STEP_FRAMES = 60;
constexpr int32_t PRICE_CEILING = 999;
void priceStep();
// Appends every slot's current price to its history (keeps the last 13).
void sampleHistory();
// Declares the company in `slot` bankrupt and pauses the market.
void declareBankruptcy(int32_t slot);

// Calendar (calendar.cpp).
constexpr int32_t FRAMES_PER_DAY = 3000000;
int32_t monthLength(int32_t year, int32_t month);
void calendarTick();

// Founding (founding.cpp).
void foundCompany(int32_t slot, int32_t oldRow);
// The free catalogue row the founding takes (reseeds the generator per attempt).
int32_t drawFreeCatalogRow();

// Daily news (news.cpp, news_headlines.cpp).
constexpr int32_t NEWS_HEADLINES = 44;
extern const char* const newsHeadlines[NEWS_HEADLINES];
void newsTick();
// The jump of company headline `row` for the company in newsCompany.
void applyNewsEffect(int32_t row);

// Asset panel and the button column (asset_panel.cpp).
void assetPanel();
// Brings every slot's graph steps up to date for the price graph.
void prepareGraphSteps();

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
