// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/game_over.h"

#include "core/scenes.h"
#include "frontend/shatter.h"
#include "market/market_state.h"

void sceneGameOver() {
    fillRect(devices.backBuffer, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, 0);
    if (ending.gameOverPhase == 0) ending.gameOverPhase = 1;

    if (ending.gameOverPhase == 1) {
        const Rect whole = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
        bltFast(devices.backBuffer, 0, 0, devices.overSurface, whole, false);
        bltFast(devices.workSurface, 0, 0, devices.overSurface, whole, false);
        ending.gameOverPhase =
            shatterInit(0, 0, 0, 0, 10, 10, whole, devices.backBuffer, devices.workSurface);
    } else if (ending.gameOverPhase == 2) {
        shatterStep();
    }

    blitClipped(devices.backBuffer, GAME_OVER_CAPTION_X, GAME_OVER_CAPTION_Y, devices.spriteSheet,
                gameOverCaptionRect, true);

    if (keyDown(Key::LeftButton)) {
        loop.GameScene = SCENE_TITLE_LOAD;
        market.ruinReady = 0;
        ending.gameOverPhase = 0;  // the next game over starts afresh
    }
    flip();
}
