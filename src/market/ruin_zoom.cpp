// SPDX-License-Identifier: GPL-2.0-or-later
// The ruin animation: two sprites shrink onto the board, each landing with a
// shake of the screen; the second shake leads to the game over.
#include "core/devices.h"
#include "market/market.h"
#include "market/market_state.h"

constexpr Rect RUIN_SPRITE_A{348, 107, 416, 175};
constexpr Rect RUIN_SPRITE_B{417, 113, 484, 175};

static void drawZoomed(const Rect& sprite, int centreX, int centreY, const int32_t (&zoom)[2]) {
    const Rect target{centreX - zoom[0], centreY - zoom[1], centreX + zoom[0] + 68, centreY + zoom[1] + 68};
    bltStretchKeyed(devices.backBuffer, target, devices.spriteSheet, sprite);
}

// Both halves fall by 10; true when they have landed (and stay at 10).
static bool shrink(int32_t (&zoom)[2]) {
    zoom[0] -= 10;
    zoom[1] -= 10;
    if (zoom[0] < 10 && zoom[1] < 10) {
        zoom[0] = 10;
        zoom[1] = 10;
        return true;
    }
    return false;
}

void ruinZoom() {
    drawZoomed(RUIN_SPRITE_A, 150, 140, market.zoomA);
    if (shrink(market.zoomA) && market.secondZoom == 0) market.shakeActive = 1;
    if (market.secondZoom == 1) {
        drawZoomed(RUIN_SPRITE_B, 350, 140, market.zoomB);
        if (shrink(market.zoomB) && market.ruinReady == 0) {
            market.shakeActive = 1;
            market.ruinReady = 1;
        }
    }
}

void shakeBackground() {
    market.shakeCount += 1;
    market.shakeX -= 5;
    market.shakeY -= 5;
    if (market.shakeX < 0) market.shakeX += 10;
    if (market.shakeY < 0) market.shakeY += 10;
    const int sx = market.shakeX;
    const int sy = market.shakeY;
    bltFast(devices.backBuffer, 0, 0, devices.gameMainSurface, Rect{sx, sy, 640, 480}, false);
    bltFast(devices.backBuffer, 640 - sx, 0, devices.gameMainSurface, Rect{0, sy, sx, 480}, false);
    bltFast(devices.backBuffer, 0, 480 - sy, devices.gameMainSurface, Rect{sx, 0, 640, sy}, false);
    bltFast(devices.backBuffer, 640 - sx, 480 - sy, devices.gameMainSurface, Rect{0, 0, sx, sy}, false);
}
