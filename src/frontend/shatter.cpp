// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/shatter.h"

#include <climits>
#include <cstddef>
#include <cstring>

#include "frontend/effect_sizes.h"
#include "core/rng.h"

int32_t cellState[SCREEN_HEIGHT][SCREEN_WIDTH];
int32_t pixelY[SCREEN_HEIGHT][SCREEN_WIDTH];
int32_t pixelX[SCREEN_HEIGHT][SCREEN_WIDTH];
int32_t pixelVY[SCREEN_HEIGHT][SCREEN_WIDTH];
int32_t shatterClock = 0;
ShatterSize shatterArea = {0, 0};
ShatterSize shatterCell = {0, 0};
ShatterOffset shatterDstOffset = {0, 0};
ShatterOffset shatterSrcOffset = {0, 0};
Surface* shatterDst = nullptr;
Surface* shatterSrc = nullptr;

namespace {

// One falling step of a tile; the tile bursts once its top-left pixel reaches
// the bottom line, every pixel from then on taking its own upward speed.
void fallTile(int32_t& state, int32_t tx, int32_t ty, int32_t bottomLine) {
    for (int32_t py = ty; py < ty + shatterCell.height; ++py) {
        for (int32_t px = tx; px < tx + shatterCell.width; ++px) {
            pixelY[py][px] += pixelVY[py][px];
            pixelVY[py][px] += 1;
            if (pixelY[ty][tx] >= bottomLine) {
                state = CELL_BURSTING;
                pixelVY[py][px] = -(10 + nextRandom() % 10);
            }
        }
    }
}

// One step of a bursting tile; it is gone when its top-left pixel is back down.
void burstTile(int32_t& state, int32_t tx, int32_t ty, int32_t bottomLine) {
    for (int32_t py = ty; py < ty + shatterCell.height; ++py) {
        for (int32_t px = tx; px < tx + shatterCell.width; ++px) {
            pixelY[py][px] += pixelVY[py][px];
            pixelVY[py][px] += 1;
        }
    }
    if (pixelY[ty][tx] >= bottomLine) state = CELL_GONE;
}

// Draws one tile's pixels where they are now, skipping the colour key. The
// pixels never move sideways, so the column is the home column.
void drawTile(int32_t state, int32_t tx, int32_t ty, uint8_t* dst, int dstPitch, const uint8_t* src,
              int srcPitch) {
    const Surface& d = *shatterDst;
    const Surface& s = *shatterSrc;
    for (int32_t hy = ty; hy < ty + shatterCell.height; ++hy) {
        const int32_t sy = hy + shatterSrcOffset.y;
        if (sy < 0 || sy >= s.height) continue;
        const uint8_t* srcRow = src + static_cast<ptrdiff_t>(sy) * srcPitch;
        for (int32_t hx = tx; hx < tx + shatterCell.width; ++hx) {
            const int32_t x = hx;
            const int32_t y = state >= 0 ? hy : pixelY[hy][hx];  // a waiting tile is at home
            if (x < 0 || x >= SCREEN_WIDTH || y < 0 || y >= SCREEN_HEIGHT) continue;
            const int32_t sx = hx + shatterSrcOffset.x;
            if (sx < 0 || sx >= s.width) continue;
            const uint8_t value = srcRow[sx];
            if (value == COLOR_KEY) continue;
            const int32_t dx = x + shatterDstOffset.x;
            const int32_t dy = y + shatterDstOffset.y;
            if (dx < 0 || dx >= d.width || dy < 0 || dy >= d.height) continue;
            dst[static_cast<ptrdiff_t>(dy) * dstPitch + dx] = value;
        }
    }
}

}  // namespace

int32_t shatterInit(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t cellWidth,
                    int32_t cellHeight, Rect area, Surface& dst, Surface& src) {
    shatterDstOffset = {dstX, dstY};
    shatterSrcOffset = {srcX, srcY};
    shatterDst = &dst;
    shatterSrc = &src;
    // The tables cover one screen; a larger area is cut to it.
    const int32_t w = clampInt(area.right - area.left, 0, SCREEN_WIDTH);
    const int32_t h = clampInt(area.bottom - area.top, 0, SCREEN_HEIGHT);

    std::memset(cellState, 0, sizeof cellState);
    std::memset(pixelY, 0, sizeof pixelY);
    std::memset(pixelX, 0, sizeof pixelX);
    std::memset(pixelVY, 0, sizeof pixelVY);

    shatterCell = {wholePieceSize(cellWidth, w), wholePieceSize(cellHeight, h)};
    shatterArea = {w, h};
    const int32_t cw = shatterCell.width;
    const int32_t ch = shatterCell.height;

    int32_t number = 1;
    for (int32_t ty = 0; ty < h; ty += ch) {
        for (int32_t tx = 0; tx < w; tx += cw) {
            cellState[ty][tx] = number++;
            for (int32_t py = ty; py < ty + ch; ++py) {
                for (int32_t px = tx; px < tx + cw; ++px) {
                    pixelX[py][px] = px;
                    pixelY[py][px] = py;
                }
            }
        }
    }

    // Scatter the start numbers: each tile's number is copied over a random
    // tile's, so some numbers repeat and others vanish.
    for (int32_t ty = 0; ty < h; ty += ch) {
        for (int32_t tx = 0; tx < w; tx += cw) {
            const int32_t rx = (nextRandom() % (w / cw)) * cw;
            const int32_t ry = (nextRandom() % (h / ch)) * ch;
            cellState[ry][rx] = cellState[ty][tx];
        }
    }

    shatterClock = 0;
    return 2;
}

void shatterStep() {
    // Moving and drawing go tile by tile in one pass: each tile is drawn
    // right after its own move, in the same order as two passes would.
    int dstPitch = 0;
    int srcPitch = 0;
    uint8_t* dst = shatterDst != nullptr ? lockSurface(*shatterDst, &dstPitch) : nullptr;
    uint8_t* src = shatterSrc != nullptr ? lockSurface(*shatterSrc, &srcPitch) : nullptr;
    const bool drawing = dst != nullptr && src != nullptr;

    const int32_t bottomLine = SCREEN_HEIGHT - shatterCell.height;
    for (int32_t ty = 0; ty < shatterArea.height; ty += shatterCell.height) {
        for (int32_t tx = 0; tx < shatterArea.width; tx += shatterCell.width) {
            int32_t& state = cellState[ty][tx];
            if (state >= 0 && state <= shatterClock) state = CELL_FALLING;
            if (state == CELL_FALLING) fallTile(state, tx, ty, bottomLine);
            if (state == CELL_BURSTING) burstTile(state, tx, ty, bottomLine);
            if (drawing && state != CELL_GONE) drawTile(state, tx, ty, dst, dstPitch, src, srcPitch);
        }
    }
    // Every tile has started long before the threshold could overflow.
    if (shatterClock <= INT32_MAX - 1000) shatterClock += 1000;

    if (src != nullptr) unlockSurface(*shatterSrc);
    if (dst != nullptr) unlockSurface(*shatterDst);
}

void resetShatter() {
    std::memset(cellState, 0, sizeof cellState);
    std::memset(pixelY, 0, sizeof pixelY);
    std::memset(pixelX, 0, sizeof pixelX);
    std::memset(pixelVY, 0, sizeof pixelVY);
    shatterClock = 0;
    shatterArea = {0, 0};
    shatterCell = {0, 0};
    shatterDstOffset = {0, 0};
    shatterSrcOffset = {0, 0};
    shatterDst = nullptr;
    shatterSrc = nullptr;
}
