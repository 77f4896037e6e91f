// SPDX-License-Identifier: GPL-2.0-or-later
// The scatter of a staff-roll photograph: every column and every row of an
// area gets a random direction, and each step draws the area with its pixels
// pushed along those directions by up to the step's amplitude.
#pragma once
#include <cstdint>

#include "core/devices.h"

struct WaveOffset {
    int32_t x = 0, y = 0;

    bool operator==(const WaveOffset&) const = default;
};
struct WaveSize {
    int32_t width = 0, height = 0;

    bool operator==(const WaveSize&) const = default;
};

// Every field holds its program-start value until the first scatter.
struct WaveState {
    int32_t waveColumnAngle[SCREEN_WIDTH] = {};  // whole degrees, 0 to 359
    int32_t waveRowAngle[SCREEN_HEIGHT] = {};
    int32_t waveColumnShift[SCREEN_WIDTH] = {};  // displacement of the last step
    int32_t waveRowShift[SCREEN_HEIGHT] = {};
    WaveOffset waveDstOffset;
    WaveOffset waveSrcOffset;
    WaveSize waveArea;
    WaveSize waveGroup;
    Surface* waveDst = nullptr;
    Surface* waveSrc = nullptr;

    bool operator==(const WaveState&) const = default;
};
extern WaveState wave;

// Draws the directions for an area (only its width and height are used) and
// sets photoPhase to 2.
void waveInit(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t groupWidth,
              int32_t groupHeight, Rect area, Surface& dst, Surface& src);
// Draws the area scattered by `amplitude` pixels; source pixels of value 0
// are left out.
void waveStep(int32_t amplitude);
void resetWave();
