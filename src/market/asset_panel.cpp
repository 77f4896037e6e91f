// SPDX-License-Identifier: GPL-2.0-or-later
// The button column on the right of the board: buy, holdings, support, save,
// price graph and fast-forward, with the unit label.
#include <cstdio>

#include "core/devices.h"
#include "core/draw_context.h"
#include "core/saturate.h"
#include "core/scenes.h"
#include "market/market.h"
#include "market/market_state.h"
#include "state/save_writer.h"

constexpr int BUTTON_X = 550;
constexpr int BUTTON_RIGHT = 617;

static bool over(int top) { return cursorIn(BUTTON_X, top, BUTTON_RIGHT, top + 37); }

static void drawButtons() {
    bltFast(devices.backBuffer, BUTTON_X, 50, devices.spriteSheet, Rect{134, 28, 201, 65}, true);
    bltFast(devices.backBuffer, BUTTON_X, 100, devices.spriteSheet, Rect{134, 65, 201, 102}, true);
    bltFast(devices.backBuffer, BUTTON_X, 150, devices.spriteSheet, Rect{134, 102, 201, 139}, true);
    bltFast(devices.backBuffer, BUTTON_X, 200, devices.spriteSheet, Rect{134, 139, 201, 176}, true);
    bltFast(devices.backBuffer, BUTTON_X, 250, devices.spriteSheet, Rect{201, 28, 268, 65}, true);
    const Rect fastForward =
        market.fastForwardPressed == 1 ? Rect{402, 65, 468, 102} : Rect{402, 28, 468, 65};
    bltFast(devices.backBuffer, BUTTON_X, 300, devices.spriteSheet, fastForward, true);
}

void prepareGraphSteps() {
    for (GraphState.historyLoopIndex = 0; GraphState.historyLoopIndex < SLOTS;
         ++GraphState.historyLoopIndex) {
        const int32_t j = GraphState.historyLoopIndex;
        PriceHistoryRow& row = PriceHistory[j];
        row.graphPrice = ListedCompanies[j].price;
        for (row.graphStepIndex = 0; row.graphStepIndex < HISTORY_LENGTH - 1; ++row.graphStepIndex) {
            const int32_t k = row.graphStepIndex;
            row.graphSteps[k] = clampToInt32(int64_t{row.history[k + 1]} - row.history[k]);
        }
        if (row.historyCount >= 1 && row.historyCount <= HISTORY_LENGTH) {
            row.graphSteps[row.historyCount - 1] =
                clampToInt32(int64_t{row.graphPrice} - row.history[row.historyCount - 1]);
        }
    }
}

void assetPanel() {
    drawButtons();
    char unitLabel[32];
    std::snprintf(unitLabel, sizeof unitLabel, "(単位:円)");
    getDC();
    setTextColor(0, 0, 0);
    setBkMode(BkMode::Transparent);
    textOut(550, 377, unitLabel);
    releaseDC();

    const bool down = keyDown(Key::LeftButton);
    if (over(50) && down) {
        market.marketTransition = 1;
        loop.GameScene = SCENE_BUY;
    }
    if (over(100) && down) {
        market.marketTransition = 1;
        loop.GameScene = SCENE_HOLDINGS;
    }
    if (over(150) && down && market.supportShowing != 1) {
        market.marketTransition = 1;
        loop.GameScene = SCENE_SUPPORT;
    }
    if (over(200)) {
        if (down && market.saveButtonLatch == 0) {
            market.saveButtonTicket = requestSave();
            market.saveButtonLatch = 1;
        } else if (!down) {
            market.saveButtonLatch = 0;
        }
    }
    // The message shows once the set is on disk; a save that failed shows none.
    if (market.saveButtonTicket != 0) {
        const SaveOutcome outcome = saveOutcome(market.saveButtonTicket);
        if (outcome == SaveOutcome::Saved) market.saveShowing = 1;
        if (outcome != SaveOutcome::Pending) market.saveButtonTicket = 0;
    }
    if (over(250) && down) {
        prepareGraphSteps();
        if (market.marketTransition == 0) market.marketTransition = 1;
        loop.GameScene = SCENE_GRAPH_LOAD;
    }
    if (over(300)) {
        if (down && market.fastForwardLatch == 0) {
            market.fastForwardPressed = 1;
            loop.frameCounter = FRAMES_PER_DAY - 1;
            market.fastForwardLatch = 1;
        } else if (!down) {
            market.fastForwardPressed = 0;
            market.fastForwardLatch = 0;
        }
        if (keyDown(Key::F)) loop.GameScene = SCENE_ENDING_START;
    }
}
