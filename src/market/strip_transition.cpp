// SPDX-License-Identifier: GPL-2.0-or-later
// The entrance transition: the work surface is copied onto the back buffer in
// vertical strips 40 pixels wide that widen by one column per frame.
#include "core/devices.h"
#include "market/market.h"
#include "market/market_state.h"

bool stripTransitionSetup() {
    market.strip.source = Rect{0, 0, 640, 480};
    market.strip.targetX = 0;
    market.strip.targetY = 0;
    market.strip.stripWidth = 40;
    market.strip.speed = 1;
    market.strip.target = &devices.backBuffer;
    market.strip.from = &devices.workSurface;
    return true;
}

// The last strip ends at column 640, one past the rows: columns outside either
// surface are skipped, and that strip copies without its key test.
static void copyStrips(const uint8_t* src, int srcPitch, uint8_t* dst, int dstPitch) {
    const int width = market.strip.source.right;
    const int height = market.strip.source.bottom;
    const int srcWidth = market.strip.from->width;
    const int dstWidth = market.strip.target->width;
    const int rows = height < market.strip.from->height ? height : market.strip.from->height;
    for (int y = 0; y < rows && y + market.strip.targetY < market.strip.target->height; ++y) {
        const uint8_t* srcRow = src + y * srcPitch;
        uint8_t* dstRow = dst + (y + market.strip.targetY) * dstPitch;
        for (int x = market.strip.stripWidth; x <= width; x += market.strip.stripWidth) {
            if (x < srcWidth && srcRow[x] == COLOR_KEY) continue;
            for (int j = 0; j <= market.stripProgress; ++j) {
                const int from = x - market.strip.stripWidth + market.stripProgress - j;
                const int to = x - j + market.strip.targetX;
                if (from < 0 || from >= srcWidth || to < 0 || to >= dstWidth) continue;
                dstRow[to] = srcRow[from];
            }
        }
    }
}

bool stripTransitionStep() {
    if (market.strip.target == nullptr || market.strip.from == nullptr) stripTransitionSetup();
    int srcPitch = 0;
    int dstPitch = 0;
    uint8_t* dst = lockSurface(*market.strip.target, &dstPitch);
    const uint8_t* src = dst != nullptr ? lockSurface(*market.strip.from, &srcPitch) : nullptr;
    if (dst != nullptr && src != nullptr) copyStrips(src, srcPitch, dst, dstPitch);
    if (src != nullptr) unlockSurface(*market.strip.from);
    if (dst != nullptr) unlockSurface(*market.strip.target);
    market.stripProgress += market.strip.speed;
    if (market.stripProgress > market.strip.stripWidth) {
        market.stripProgress = 0;
        return true;
    }
    return false;
}
