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
    int32_t width = 0, height = 0;

    bool operator==(const ShatterSize&) const = default;
};
struct ShatterOffset {
    int32_t x = 0, y = 0;

    bool operator==(const ShatterOffset&) const = default;
};

// Every field holds its program-start value until the first game over.
struct ShatterState {
    int32_t cellState[SCREEN_HEIGHT][SCREEN_WIDTH] = {};
    int32_t pixelY[SCREEN_HEIGHT][SCREEN_WIDTH] = {};
    int32_t pixelX[SCREEN_HEIGHT][SCREEN_WIDTH] = {};
    int32_t pixelVY[SCREEN_HEIGHT][SCREEN_WIDTH] = {};
    int32_t shatterClock = 0;  // start threshold, grows by 1000 a step
    ShatterSize shatterArea;
    ShatterSize shatterCell;
    ShatterOffset shatterDstOffset;
    ShatterOffset shatterSrcOffset;
    Surface* shatterDst = nullptr;
    Surface* shatterSrc = nullptr;

    bool operator==(const ShatterState&) const = default;
};
extern ShatterState shatter;

// Sets the effect up over an area of the source (only the area's width and
// height are used) and gives the next game-over phase, 2.
int32_t shatterInit(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t cellWidth,
                    int32_t cellHeight, Rect area, Surface& dst, Surface& src);
// Moves every tile by one step and draws the result into shatterDst.
void shatterStep();
// Back to the program-start state (tables zeroed, no surfaces).
void resetShatter();
