// SPDX-License-Identifier: GPL-2.0-or-later
// The break-up effect of the game over: a picture cut into tiles that fall,
// burst into single pixels and vanish. Works on locked 8-bit surface memory
// with four whole-screen tables, one entry per pixel.
#pragma once
#include <cstdint>

#include "core/devices.h"

// Tile states, kept at each tile's top-left entry of cellState. A value >= 0
// is a waiting tile's start number.
constexpr int32_t CELL_FALLING = -1;
constexpr int32_t CELL_BURSTING = -2;
constexpr int32_t CELL_GONE = -3;

struct ShatterSize {
    int32_t width, height;
};
struct ShatterOffset {
    int32_t x, y;
};

extern int32_t cellState[SCREEN_HEIGHT][SCREEN_WIDTH];
extern int32_t pixelY[SCREEN_HEIGHT][SCREEN_WIDTH];
extern int32_t pixelX[SCREEN_HEIGHT][SCREEN_WIDTH];
extern int32_t pixelVY[SCREEN_HEIGHT][SCREEN_WIDTH];
extern int32_t shatterClock;  // start threshold, grows by 1000 a step
extern ShatterSize shatterArea;
extern ShatterSize shatterCell;
extern ShatterOffset shatterDstOffset;
extern ShatterOffset shatterSrcOffset;
extern Surface* shatterDst;
extern Surface* shatterSrc;

// Sets the effect up over an area of the source (only the area's width and
// height are used) and gives the next game-over phase, 2.
int32_t shatterInit(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t cellWidth,
                    int32_t cellHeight, Rect area, Surface& dst, Surface& src);
// Moves every tile by one step and draws the result into shatterDst.
void shatterStep();
// Back to the program-start state (tables zeroed, no surfaces).
void resetShatter();
