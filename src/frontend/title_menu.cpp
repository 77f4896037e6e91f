// SPDX-License-Identifier: GPL-2.0-or-later
// SCENE_TITLE_MENU: the title picture, the start area with its panel of two
// choices, and the ranking area.
#include "frontend/front_state.h"
#include "frontend/rank_table.h"
#include "market/market_state.h"
#include "core/draw_context.h"
#include "core/devices.h"
#include "core/scenes.h"
#include "state/save_files.h"

uint32_t titleLastFrameTime;
int32_t titleMenuOpen;
int32_t titleStartLatch;
int32_t titleNewLatch;
int32_t titleContinueLatch;
int32_t titleRankingLatch;

void sceneTitleMenu() {
    const uint32_t now = timeGetTime();
    if (now - titleLastFrameTime < 33) {
        idleUntil(titleLastFrameTime + 33);
        return;
    }
    titleLastFrameTime = now;

    getCursorPos();
    bltFast(devices.backBuffer, 0, 0, devices.titleSurface, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, false);
    bltFast(devices.backBuffer, 90, 460, devices.spriteSheet, {2, 348, 476, 362}, true);

    if (pressLatch(titleStartLatch, 255, 285, 402, 323)) titleMenuOpen = 1;

    if (titleMenuOpen == 1) {
        growMessagePanel();
        getDC();
        setTextColor(255, 255, 255);
        setBkMode(BkMode::Transparent);
        textOut(170, 260, "はじめから(以前のデータが消えます)");
        textOut(180, 290, "つづきから");
        releaseDC();

        if (pressLatch(titleNewLatch, 170, 260, 520, 280)) startNewGame();

        // "つづきから" answers only while a saved game exists, and never to the
        // press that set the start area's latch (the two areas overlap).
        if (cursorIn(180, 290, 280, 310) && saveFileExists()) {
            if (keyDown(Key::LeftButton)) {
                if (titleContinueLatch == 0 && titleStartLatch != 1) {
                    continueSavedGame();
                    titleContinueLatch = 1;
                }
            } else {
                titleContinueLatch = 0;
            }
        }
    }

    if (pressLatch(titleRankingLatch, 220, 350, 431, 396)) {
        loadRankFile();
        loop.GameScene = SCENE_RANKING;
    }

    drawCursorSprite();
    flip();
}

void resetTitleState() {
    titleLastFrameTime = 0;
    titleMenuOpen = 0;
    titleStartLatch = 0;
    titleNewLatch = 0;
    titleContinueLatch = 0;
    titleRankingLatch = 0;
}
