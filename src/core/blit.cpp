// SPDX-License-Identifier: GPL-2.0-or-later
// Fills and copies between surfaces.
#include <cstring>

#include "core/devices.h"

namespace {
bool usable(const Surface& s) { return s.held && s.pixels != nullptr; }

bool insideSurface(const Surface& s, Rect r) {
    return r.left >= 0 && r.top >= 0 && r.right <= s.width && r.bottom <= s.height;
}

bool empty(Rect r) { return r.right <= r.left || r.bottom <= r.top; }

void copyRows(Surface& dst, int x, int y, const Surface& src, Rect r, bool keyed) {
    const int width = r.right - r.left;
    for (int row = r.top; row < r.bottom; ++row) {
        const uint8_t* from = src.pixels + row * src.pitch + r.left;
        uint8_t* to = dst.pixels + (y + row - r.top) * dst.pitch + x;
        if (!keyed) {
            std::memmove(to, from, width);
            continue;
        }
        for (int i = 0; i < width; ++i) {
            if (from[i] != COLOR_KEY) to[i] = from[i];
        }
    }
}
}  // namespace

void fillRect(Surface& dst, Rect r, uint8_t index) {
    if (!usable(dst)) return;
    if (r.left < 0) r.left = 0;
    if (r.top < 0) r.top = 0;
    if (r.right > dst.width) r.right = dst.width;
    if (r.bottom > dst.height) r.bottom = dst.height;
    if (empty(r)) return;
    for (int row = r.top; row < r.bottom; ++row) {
        std::memset(dst.pixels + row * dst.pitch + r.left, index, r.right - r.left);
    }
}

void bltFast(Surface& dst, int x, int y, const Surface& src, Rect srcRect, bool keyed) {
    if (!usable(dst) || !usable(src) || empty(srcRect) || !insideSurface(src, srcRect)) return;
    const Rect dstRect{x, y, x + srcRect.right - srcRect.left, y + srcRect.bottom - srcRect.top};
    if (!insideSurface(dst, dstRect)) return;
    copyRows(dst, x, y, src, srcRect, keyed);
}

void bltStretchKeyed(Surface& dst, Rect dstRect, const Surface& src, Rect srcRect) {
    if (!usable(dst) || !usable(src) || empty(srcRect) || empty(dstRect)) return;
    if (!insideSurface(src, srcRect) || !insideSurface(dst, dstRect)) return;
    const int dw = dstRect.right - dstRect.left;
    const int dh = dstRect.bottom - dstRect.top;
    const int sw = srcRect.right - srcRect.left;
    const int sh = srcRect.bottom - srcRect.top;
    for (int row = 0; row < dh; ++row) {
        const uint8_t* from = src.pixels + (srcRect.top + row * sh / dh) * src.pitch + srcRect.left;
        uint8_t* to = dst.pixels + (dstRect.top + row) * dst.pitch + dstRect.left;
        for (int col = 0; col < dw; ++col) {
            const uint8_t pixel = from[col * sw / dw];
            if (pixel != COLOR_KEY) to[col] = pixel;
        }
    }
}

void blitClipped(Surface& dst, int x, int y, const Surface& src, Rect srcRect, bool keyed) {
    if (x < 0) {
        srcRect.left -= x;
        x = 0;
    }
    if (y < 0) {
        srcRect.top -= y;
        y = 0;
    }
    if (x + (srcRect.right - srcRect.left) > SCREEN_WIDTH) {
        srcRect.right -= x + (srcRect.right - srcRect.left) - SCREEN_WIDTH;
    }
    if (y + (srcRect.bottom - srcRect.top) > SCREEN_HEIGHT) {
        srcRect.bottom -= y + (srcRect.bottom - srcRect.top) - SCREEN_HEIGHT;
    }
    bltFast(dst, x, y, src, srcRect, keyed);
}

void drawCursorSprite() {
    bltFast(devices.backBuffer, devices.cursorPos.x, devices.cursorPos.y, devices.spriteSheet,
            Rect{9, 0, 26, 26}, true);
}
