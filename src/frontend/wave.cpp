// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/wave.h"

#include <cstddef>
#include <cstring>

#include "frontend/effect_sizes.h"
#include "frontend/staff_roll.h"
#include "core/rng.h"
#include "core/trig.h"

int32_t waveColumnAngle[SCREEN_WIDTH];
int32_t waveRowAngle[SCREEN_HEIGHT];
int32_t waveColumnShift[SCREEN_WIDTH];
int32_t waveRowShift[SCREEN_HEIGHT];
WaveOffset waveDstOffset = {0, 0};
WaveOffset waveSrcOffset = {0, 0};
WaveSize waveArea = {0, 0};
WaveSize waveGroup = {0, 0};
Surface* waveDst = nullptr;
Surface* waveSrc = nullptr;

namespace {

// (table entry x amplitude) >> 10, arithmetic.
int32_t shiftOf(int32_t tableValue, int32_t amplitude) {
    return static_cast<int32_t>((static_cast<int64_t>(tableValue) * amplitude) >> 10);
}

}  // namespace

void waveInit(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t groupWidth,
              int32_t groupHeight, Rect area, Surface& dst, Surface& src) {
    waveDstOffset = {dstX, dstY};
    waveSrcOffset = {srcX, srcY};
    waveDst = &dst;
    waveSrc = &src;
    const int32_t w = clampInt(area.right - area.left, 0, SCREEN_WIDTH);
    const int32_t h = clampInt(area.bottom - area.top, 0, SCREEN_HEIGHT);
    waveArea = {w, h};
    waveGroup = {wholePieceSize(groupWidth, w), wholePieceSize(groupHeight, h)};

    for (int32_t gx = 0; gx < w; gx += waveGroup.width) {
        const int32_t angle = nextRandom() % 360;
        for (int32_t x = gx; x < gx + waveGroup.width; ++x) waveColumnAngle[x] = angle;
    }
    for (int32_t gy = 0; gy < h; gy += waveGroup.height) {
        const int32_t angle = nextRandom() % 360;
        for (int32_t y = gy; y < gy + waveGroup.height; ++y) waveRowAngle[y] = angle;
    }
    photoPhase = 2;
}

void waveStep(int32_t amplitude) {
    if (waveDst == nullptr || waveSrc == nullptr) return;
    for (int32_t x = 0; x < waveArea.width; ++x) {
        waveColumnShift[x] = shiftOf(trig.cosTable[waveColumnAngle[x]], amplitude);
    }
    for (int32_t y = 0; y < waveArea.height; ++y) {
        waveRowShift[y] = shiftOf(trig.sinTable[waveRowAngle[y]], amplitude);
    }

    int dstPitch = 0;
    int srcPitch = 0;
    uint8_t* dst = lockSurface(*waveDst, &dstPitch);
    uint8_t* src = lockSurface(*waveSrc, &srcPitch);
    if (dst != nullptr && src != nullptr) {
        const Surface& d = *waveDst;
        const Surface& s = *waveSrc;
        for (int32_t y = 0; y < waveArea.height; ++y) {
            const int32_t sy = y + waveSrcOffset.y;
            if (sy < 0 || sy >= s.height) continue;
            const uint8_t* srcRow = src + static_cast<ptrdiff_t>(sy) * srcPitch;
            const int32_t dy = y + waveRowShift[y] + waveDstOffset.y;
            if (dy < 0 || dy >= d.height) continue;
            uint8_t* dstRow = dst + static_cast<ptrdiff_t>(dy) * dstPitch;
            for (int32_t x = 0; x < waveArea.width; ++x) {
                const int32_t sx = x + waveSrcOffset.x;
                if (sx < 0 || sx >= s.width) continue;
                const uint8_t value = srcRow[sx];
                if (value == 0) continue;
                const int32_t dx = x + waveColumnShift[x] + waveDstOffset.x;
                if (dx < 0 || dx >= d.width) continue;
                dstRow[dx] = value;
            }
        }
    }
    if (src != nullptr) unlockSurface(*waveSrc);
    if (dst != nullptr) unlockSurface(*waveDst);
}

void resetWave() {
    std::memset(waveColumnAngle, 0, sizeof waveColumnAngle);
    std::memset(waveRowAngle, 0, sizeof waveRowAngle);
    std::memset(waveColumnShift, 0, sizeof waveColumnShift);
    std::memset(waveRowShift, 0, sizeof waveRowShift);
    waveDstOffset = {0, 0};
    waveSrcOffset = {0, 0};
    waveArea = {0, 0};
    waveGroup = {0, 0};
    waveDst = nullptr;
    waveSrc = nullptr;
}
