// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/wave.h"

#include <cstddef>

#include "core/rng.h"
#include "core/trig.h"
#include "frontend/effect_sizes.h"
#include "frontend/staff_roll.h"

WaveState wave;

namespace {

// (table entry x amplitude) >> 10, arithmetic.
int32_t shiftOf(int32_t tableValue, int32_t amplitude) {
    return static_cast<int32_t>((static_cast<int64_t>(tableValue) * amplitude) >> 10);
}

}  // namespace

void waveInit(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t groupWidth,
              int32_t groupHeight, Rect area, Surface& dst, Surface& src) {
    wave.waveDstOffset = {dstX, dstY};
    wave.waveSrcOffset = {srcX, srcY};
    wave.waveDst = &dst;
    wave.waveSrc = &src;
    const int32_t w = clampInt(area.right - area.left, 0, SCREEN_WIDTH);
    const int32_t h = clampInt(area.bottom - area.top, 0, SCREEN_HEIGHT);
    wave.waveArea = {w, h};
    wave.waveGroup = {wholePieceSize(groupWidth, w), wholePieceSize(groupHeight, h)};

    for (int32_t gx = 0; gx < w; gx += wave.waveGroup.width) {
        const int32_t angle = nextRandom() % 360;
        for (int32_t x = gx; x < gx + wave.waveGroup.width; ++x) wave.waveColumnAngle[x] = angle;
    }
    for (int32_t gy = 0; gy < h; gy += wave.waveGroup.height) {
        const int32_t angle = nextRandom() % 360;
        for (int32_t y = gy; y < gy + wave.waveGroup.height; ++y) wave.waveRowAngle[y] = angle;
    }
    staffRoll.photoPhase = 2;
}

void waveStep(int32_t amplitude) {
    if (wave.waveDst == nullptr || wave.waveSrc == nullptr) return;
    for (int32_t x = 0; x < wave.waveArea.width; ++x) {
        wave.waveColumnShift[x] = shiftOf(trig.cosTable[wave.waveColumnAngle[x]], amplitude);
    }
    for (int32_t y = 0; y < wave.waveArea.height; ++y) {
        wave.waveRowShift[y] = shiftOf(trig.sinTable[wave.waveRowAngle[y]], amplitude);
    }

    int dstPitch = 0;
    int srcPitch = 0;
    uint8_t* dst = lockSurface(*wave.waveDst, &dstPitch);
    uint8_t* src = lockSurface(*wave.waveSrc, &srcPitch);
    if (dst != nullptr && src != nullptr) {
        const Surface& d = *wave.waveDst;
        const Surface& s = *wave.waveSrc;
        for (int32_t y = 0; y < wave.waveArea.height; ++y) {
            const int32_t sy = y + wave.waveSrcOffset.y;
            if (sy < 0 || sy >= s.height) continue;
            const uint8_t* srcRow = src + static_cast<ptrdiff_t>(sy) * srcPitch;
            const int32_t dy = y + wave.waveRowShift[y] + wave.waveDstOffset.y;
            if (dy < 0 || dy >= d.height) continue;
            uint8_t* dstRow = dst + static_cast<ptrdiff_t>(dy) * dstPitch;
            for (int32_t x = 0; x < wave.waveArea.width; ++x) {
                const int32_t sx = x + wave.waveSrcOffset.x;
                if (sx < 0 || sx >= s.width) continue;
                const uint8_t value = srcRow[sx];
                if (value == 0) continue;
                const int32_t dx = x + wave.waveColumnShift[x] + wave.waveDstOffset.x;
                if (dx < 0 || dx >= d.width) continue;
                dstRow[dx] = value;
            }
        }
    }
    if (src != nullptr) unlockSurface(*wave.waveSrc);
    if (dst != nullptr) unlockSurface(*wave.waveDst);
}

void resetWave() { wave = WaveState{}; }
