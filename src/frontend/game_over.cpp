// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/game_over.h"

#include "frontend/shatter.h"
#include "market/market_state.h"
#include "core/scenes.h"

int32_t gameOverPhase = 0;

void sceneGameOver() {
    fillRect(devices.backBuffer, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, 0);
    if (gameOverPhase == 0) gameOverPhase = 1;

    if (gameOverPhase == 1) {
        const Rect whole = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
        bltFast(devices.backBuffer, 0, 0, devices.overSurface, whole, false);
        bltFast(devices.workSurface, 0, 0, devices.overSurface, whole, false);
        gameOverPhase = shatterInit(0, 0, 0, 0, 10, 10, whole, devices.backBuffer, devices.workSurface);
    } else if (gameOverPhase == 2) {
        shatterStep();
    }

    blitClipped(devices.backBuffer, GAME_OVER_CAPTION_X, GAME_OVER_CAPTION_Y, devices.spriteSheet,
                gameOverCaptionRect, true);

    if (keyDown(Key::LeftButton)) {
        loop.GameScene = SCENE_TITLE_LOAD;
        market.ruinReady = 0;
        gameOverPhase = 0;  // the next game over starts afresh
    }
    flip();
}
