// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/front_scenes.h"
#include "support/screen_tour.h"

#include "core/devices.h"
#include "core/rng.h"
#include "core/scenes.h"
#include "frontend/award.h"
#include "frontend/front_state.h"
#include "frontend/ranking_screen.h"
#include "market/market.h"
#include "market/market_state.h"
#include "platform/headless/headless.h"
#include "program/program.h"
#include "state/records.h"
#include "state/save_files.h"
#include "trading/trading_state.h"

namespace testing_support {

namespace {

// A spot that no button of any screen covers: messages take clicks anywhere.
constexpr int QUIET_X = 20;
constexpr int QUIET_Y = 470;

void call(void (*scene)()) {
    headless::advanceTime(34);
    ++loop.frameCounter;
    scene();
}

// One frame with the button down over (x, y), then one with it up.
void clickOn(void (*scene)(), int x, int y) {
    headless::setCursor(x, y);
    headless::setButton(true);
    call(scene);
    headless::setButton(false);
    call(scene);
}

// A market frame as the main loop would reach it after waiting: the price
// step due, and with `dayEnds` the day at its end.
void marketFrameDue(bool dayEnds) {
    market.stepTicks = PRICE_STEP_FRAMES - 1;
    if (dayEnds) loop.frameCounter = FRAMES_PER_DAY - 1;
    call(runMarketFrame);
}

// Market frames until no message holds the board, clicking each away.
void dismissMessages() {
    for (int i = 0; i < 8 && (market.bankruptShowing == 1 || market.foundedShowing == 1 ||
                              market.supportShowing == 1 || market.saveShowing == 1);
         ++i) {
        clickOn(runMarketFrame, QUIET_X, QUIET_Y);
    }
}

// Back on the board without replaying the entrance transition.
void backToMarket() {
    market.marketTransition = 0;
    loop.GameScene = SCENE_MARKET;
    headless::setCursor(QUIET_X, QUIET_Y);
    headless::setButton(false);
}

void playMarket(uint32_t choices) {
    marketFrameDue(true);
    marketFrameDue(false);
    dismissMessages();
    marketFrameDue(false);
    if (choices & 1) {
        // The eve of a news date: the company news, then its effect.
        Calendar.month = 1;
        Calendar.day = 5;
        marketFrameDue(true);
        marketFrameDue(false);
        marketFrameDue(true);
        marketFrameDue(false);
        dismissMessages();
    }
    // The save button.
    clickOn(runMarketFrame, 580, 215);
    dismissMessages();
}

void playGraph(uint32_t choices) {
    headless::setCursor(580, 265);
    headless::setButton(true);
    call(runMarketFrame);
    headless::setButton(false);
    if (!devices.graphSurface.held) call(sceneGraphLoad);
    GraphState.graphSelected = static_cast<int32_t>((choices >> 1) % SLOTS);
    call(sceneGraph);
    for (int company = 0; company < 2; ++company) clickOn(sceneGraph, 600, 215);
    clickOn(sceneGraph, 600, 315);
    backToMarket();
}

void playBuy(uint32_t choices) {
    trading.buySelected = static_cast<int32_t>((choices >> 6) % SLOTS);
    call(sceneBuy);
    clickOn(sceneBuy, 457, 165);
    clickOn(sceneBuy, 457, 165);
    clickOn(sceneBuy, 457, 185);
    clickOn(sceneBuy, 263, 448);
    headless::setCursor(403, 448);
    headless::setButton(true);
    call(sceneBuy);
    backToMarket();
}

void playSell(uint32_t choices) {
    call(sceneHoldings);
    trading.sellSelected = static_cast<int32_t>((choices >> 11) % SLOTS);
    call(sceneSell);
    clickOn(sceneSell, 487, 185);
    clickOn(sceneSell, 487, 185);
    clickOn(sceneSell, 487, 205);
    if (choices & (1u << 16)) {
        clickOn(sceneSell, 263, 448);
    } else {
        clickOn(sceneSell, 403, 448);
    }
    backToMarket();
}

void playSupport(uint32_t choices) {
    trading.supportSelected = static_cast<int32_t>((choices >> 17) % SLOTS);
    call(sceneSupport);
    // One or two pledges, or ten and one refused beyond them.
    const int pledgeCounts[4] = {1, 2, 10, 11};
    const int pledges = pledgeCounts[(choices >> 22) % 4];
    for (int i = 0; i < pledges; ++i) clickOn(sceneSupport, 257, 365);
    clickOn(sceneSupport, 263, 448);
    backToMarket();
    call(runMarketFrame);
    dismissMessages();
}

// The last day of the year until no years are left, then the closing message.
void playEnd() {
    for (int year = 0; year < 2 && Calendar.yearsLeft > 0; ++year) {
        Calendar.month = 12;
        Calendar.day = 31;
        if (year == 1) Calendar.yearsLeft = 1;
        marketFrameDue(true);
        dismissMessages();
    }
    clickOn(runMarketFrame, QUIET_X, QUIET_Y);
    call(sceneEndingStart);
    loop.GameScene = SCENE_AWARD;
    call(sceneAward);
    call(sceneAward);
    // The entry and four ordering passes.
    for (int i = 0; i < 5; ++i) call(sceneRanking);
}

}  // namespace

void resetForTour() {
    loop.GameScene = SCENE_TITLE_MENU;
    loop.frameCounter = 0;
    resetGameRecords();
    resetMarketState();
    resetTradingState();
    resetFrontendState();
    resetEndingState();
    headless::install();
}

void tourLoadedGame(uint32_t choices) {
    seedRandom(choices);
    saveFileExists();
    session.loadSaved = 1;
    loadGame();
    closeMessagePanel();
    backToMarket();
    playMarket(choices);
    playGraph(choices);
    playBuy(choices);
    playSell(choices);
    playSupport(choices);
    playEnd();
}

}  // namespace testing_support
