// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/shatter.h"

#include <climits>
#include <cstddef>
#include <cstring>
#include <memory>

#include "core/rng.h"
#include "frontend/effect_sizes.h"

ShatterState shatter;

namespace {

// One falling step of a tile; the tile bursts once its top-left pixel reaches
// the bottom line, every pixel from then on taking its own upward speed.
void fallTile(int32_t& state, int32_t tx, int32_t ty, int32_t bottomLine) {
    for (int32_t py = ty; py < ty + shatter.shatterCell.height; ++py) {
        for (int32_t px = tx; px < tx + shatter.shatterCell.width; ++px) {
            shatter.pixelY[py][px] += shatter.pixelVY[py][px];
            shatter.pixelVY[py][px] += 1;
            if (shatter.pixelY[ty][tx] >= bottomLine) {
                state = CELL_BURSTING;
                shatter.pixelVY[py][px] = -(10 + nextRandom() % 10);
            }
        }
    }
}

// One step of a bursting tile; it is gone when its top-left pixel is back down.
void burstTile(int32_t& state, int32_t tx, int32_t ty, int32_t bottomLine) {
    for (int32_t py = ty; py < ty + shatter.shatterCell.height; ++py) {
        for (int32_t px = tx; px < tx + shatter.shatterCell.width; ++px) {
            shatter.pixelY[py][px] += shatter.pixelVY[py][px];
            shatter.pixelVY[py][px] += 1;
        }
    }
    if (shatter.pixelY[ty][tx] >= bottomLine) state = CELL_GONE;
}

// Draws one tile's pixels where they are now, skipping the colour key. The
// pixels never move sideways, so the column is the home column.
void drawTile(int32_t state, int32_t tx, int32_t ty, uint8_t* dst, int dstPitch, const uint8_t* src,
              int srcPitch) {
    const Surface& d = *shatter.shatterDst;
    const Surface& s = *shatter.shatterSrc;
    for (int32_t hy = ty; hy < ty + shatter.shatterCell.height; ++hy) {
        const int32_t sy = hy + shatter.shatterSrcOffset.y;
        if (sy < 0 || sy >= s.height) continue;
        const uint8_t* srcRow = src + static_cast<ptrdiff_t>(sy) * srcPitch;
        for (int32_t hx = tx; hx < tx + shatter.shatterCell.width; ++hx) {
            const int32_t x = hx;
            const int32_t y = state >= 0 ? hy : shatter.pixelY[hy][hx];  // a waiting tile is at home
            if (x < 0 || x >= SCREEN_WIDTH || y < 0 || y >= SCREEN_HEIGHT) continue;
            const int32_t sx = hx + shatter.shatterSrcOffset.x;
            if (sx < 0 || sx >= s.width) continue;
            const uint8_t value = srcRow[sx];
            if (value == COLOR_KEY) continue;
            const int32_t dx = x + shatter.shatterDstOffset.x;
            const int32_t dy = y + shatter.shatterDstOffset.y;
            if (dx < 0 || dx >= d.width || dy < 0 || dy >= d.height) continue;
            dst[static_cast<ptrdiff_t>(dy) * dstPitch + dx] = value;
        }
    }
}

}  // namespace

int32_t shatterInit(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t cellWidth,
                    int32_t cellHeight, Rect area, Surface& dst, Surface& src) {
    shatter.shatterDstOffset = {dstX, dstY};
    shatter.shatterSrcOffset = {srcX, srcY};
    shatter.shatterDst = &dst;
    shatter.shatterSrc = &src;
    // The tables cover one screen; a larger area is cut to it.
    const int32_t w = clampInt(area.right - area.left, 0, SCREEN_WIDTH);
    const int32_t h = clampInt(area.bottom - area.top, 0, SCREEN_HEIGHT);

    std::memset(shatter.cellState, 0, sizeof shatter.cellState);
    std::memset(shatter.pixelY, 0, sizeof shatter.pixelY);
    std::memset(shatter.pixelX, 0, sizeof shatter.pixelX);
    std::memset(shatter.pixelVY, 0, sizeof shatter.pixelVY);

    shatter.shatterCell = {wholePieceSize(cellWidth, w), wholePieceSize(cellHeight, h)};
    shatter.shatterArea = {w, h};
    const int32_t cw = shatter.shatterCell.width;
    const int32_t ch = shatter.shatterCell.height;

    int32_t number = 1;
    for (int32_t ty = 0; ty < h; ty += ch) {
        for (int32_t tx = 0; tx < w; tx += cw) {
            shatter.cellState[ty][tx] = number++;
            for (int32_t py = ty; py < ty + ch; ++py) {
                for (int32_t px = tx; px < tx + cw; ++px) {
                    shatter.pixelX[py][px] = px;
                    shatter.pixelY[py][px] = py;
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
            shatter.cellState[ry][rx] = shatter.cellState[ty][tx];
        }
    }

    shatter.shatterClock = 0;
    return 2;
}

void shatterStep() {
    // Moving and drawing go tile by tile in one pass: each tile is drawn
    // right after its own move, in the same order as two passes would.
    int dstPitch = 0;
    int srcPitch = 0;
    uint8_t* dst = shatter.shatterDst != nullptr ? lockSurface(*shatter.shatterDst, &dstPitch) : nullptr;
    uint8_t* src = shatter.shatterSrc != nullptr ? lockSurface(*shatter.shatterSrc, &srcPitch) : nullptr;
    const bool drawing = dst != nullptr && src != nullptr;

    const int32_t bottomLine = SCREEN_HEIGHT - shatter.shatterCell.height;
    for (int32_t ty = 0; ty < shatter.shatterArea.height; ty += shatter.shatterCell.height) {
        for (int32_t tx = 0; tx < shatter.shatterArea.width; tx += shatter.shatterCell.width) {
            int32_t& state = shatter.cellState[ty][tx];
            if (state >= 0 && state <= shatter.shatterClock) state = CELL_FALLING;
            if (state == CELL_FALLING) fallTile(state, tx, ty, bottomLine);
            if (state == CELL_BURSTING) burstTile(state, tx, ty, bottomLine);
            if (drawing && state != CELL_GONE) drawTile(state, tx, ty, dst, dstPitch, src, srcPitch);
        }
    }
    // Every tile has started long before the threshold could overflow.
    if (shatter.shatterClock <= INT32_MAX - 1000) shatter.shatterClock += 1000;

    if (src != nullptr) unlockSurface(*shatter.shatterSrc);
    if (dst != nullptr) unlockSurface(*shatter.shatterDst);
}

// The tables make the record 5 MB, more than an unoptimised build's temporary
// could take on the stack: it is built anew in place.
void resetShatter() { std::construct_at(&shatter); }
