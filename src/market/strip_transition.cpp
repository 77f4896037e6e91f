// SPDX-License-Identifier: GPL-2.0-or-later
// The entrance transition: the work surface is copied onto the back buffer in
// vertical strips 40 pixels wide that widen by one column per frame.
#include "market/market.h"
#include "market/market_state.h"
#include "core/devices.h"

struct StripTransition {
    Rect source;
    int targetX, targetY;
    int stripWidth;
    int speed;
    Surface* target;
    Surface* from;
};

static StripTransition strip;

bool stripTransitionSetup() {
    strip.source = Rect{0, 0, 640, 480};
    strip.targetX = 0;
    strip.targetY = 0;
    strip.stripWidth = 40;
    strip.speed = 1;
    strip.target = &devices.backBuffer;
    strip.from = &devices.workSurface;
    return true;
}

// The last strip ends at column 640, one past the rows: columns outside either
// surface are skipped, and that strip copies without its key test.
static void copyStrips(const uint8_t* src, int srcPitch, uint8_t* dst, int dstPitch) {
    const int width = strip.source.right;
    const int height = strip.source.bottom;
    const int srcWidth = strip.from->width;
    const int dstWidth = strip.target->width;
    const int rows = height < strip.from->height ? height : strip.from->height;
    for (int y = 0; y < rows && y + strip.targetY < strip.target->height; ++y) {
        const uint8_t* srcRow = src + y * srcPitch;
        uint8_t* dstRow = dst + (y + strip.targetY) * dstPitch;
        for (int x = strip.stripWidth; x <= width; x += strip.stripWidth) {
            if (x < srcWidth && srcRow[x] == COLOR_KEY) continue;
            for (int j = 0; j <= stripProgress; ++j) {
                const int from = x - strip.stripWidth + stripProgress - j;
                const int to = x - j + strip.targetX;
                if (from < 0 || from >= srcWidth || to < 0 || to >= dstWidth) continue;
                dstRow[to] = srcRow[from];
            }
        }
    }
}

bool stripTransitionStep() {
    if (strip.target == nullptr || strip.from == nullptr) stripTransitionSetup();
    int srcPitch = 0;
    int dstPitch = 0;
    uint8_t* dst = lockSurface(*strip.target, &dstPitch);
    const uint8_t* src = dst != nullptr ? lockSurface(*strip.from, &srcPitch) : nullptr;
    if (dst != nullptr && src != nullptr) copyStrips(src, srcPitch, dst, dstPitch);
    if (src != nullptr) unlockSurface(*strip.from);
    if (dst != nullptr) unlockSurface(*strip.target);
    stripProgress += strip.speed;
    if (stripProgress > strip.stripWidth) {
        stripProgress = 0;
        return true;
    }
    return false;
}

void resetStripTransitionState() { strip = StripTransition{}; }
