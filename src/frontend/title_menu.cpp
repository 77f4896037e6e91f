// SPDX-License-Identifier: GPL-2.0-or-later
// SCENE_TITLE_MENU: the title picture, the start area with its panel of two
// choices, and the ranking area.
#include "core/devices.h"
#include "core/draw_context.h"
#include "core/scenes.h"
#include "frontend/front_state.h"
#include "frontend/rank_table.h"
#include "market/market_state.h"
#include "state/save_files.h"

void sceneTitleMenu() {
    const uint32_t now = timeGetTime();
    if (now - front.titleLastFrameTime < 33) {
        idleUntil(front.titleLastFrameTime + 33);
        return;
    }
    front.titleLastFrameTime = now;

    getCursorPos();
    bltFast(devices.backBuffer, 0, 0, devices.titleSurface, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, false);
    bltFast(devices.backBuffer, 90, 460, devices.spriteSheet, {2, 348, 476, 362}, true);

    if (pressLatch(front.titleStartLatch, 255, 285, 402, 323)) front.titleMenuOpen = 1;

    if (front.titleMenuOpen == 1) {
        growMessagePanel();
        getDC();
        setTextColor(255, 255, 255);
        setBkMode(BkMode::Transparent);
        textOut(170, 260, "はじめから(以前のデータが消えます)");
        textOut(180, 290, "つづきから");
        releaseDC();

        if (pressLatch(front.titleNewLatch, 170, 260, 520, 280)) startNewGame();

        // "つづきから" answers only while a saved game exists, and never to the
        // press that set the start area's latch (the two areas overlap).
        if (cursorIn(180, 290, 280, 310) && saveFileExists()) {
            if (keyDown(Key::LeftButton)) {
                if (front.titleContinueLatch == 0 && front.titleStartLatch != 1) {
                    continueSavedGame();
                    front.titleContinueLatch = 1;
                }
            } else {
                front.titleContinueLatch = 0;
            }
        }
    }

    if (pressLatch(front.titleRankingLatch, 220, 350, 431, 396)) {
        loadRankFile();
        loop.GameScene = SCENE_RANKING;
    }

    drawCursorSprite();
    flip();
}
