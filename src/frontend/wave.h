// SPDX-License-Identifier: GPL-2.0-or-later
// The scatter of a staff-roll photograph: every column and every row of an
// area gets a random direction, and each step draws the area with its pixels
// pushed along those directions by up to the step's amplitude.
#pragma once
#include <cstdint>

#include "core/devices.h"

struct WaveOffset {
    int32_t x, y;
};
struct WaveSize {
    int32_t width, height;
};

extern int32_t waveColumnAngle[SCREEN_WIDTH];  // whole degrees, 0 to 359
extern int32_t waveRowAngle[SCREEN_HEIGHT];
extern int32_t waveColumnShift[SCREEN_WIDTH];  // displacement of the last step
extern int32_t waveRowShift[SCREEN_HEIGHT];
extern WaveOffset waveDstOffset;
extern WaveOffset waveSrcOffset;
extern WaveSize waveArea;
extern WaveSize waveGroup;
extern Surface* waveDst;
extern Surface* waveSrc;

// Draws the directions for an area (only its width and height are used) and
// sets photoPhase to 2.
void waveInit(int32_t dstX, int32_t dstY, int32_t srcX, int32_t srcY, int32_t groupWidth,
              int32_t groupHeight, Rect area, Surface& dst, Surface& src);
// Draws the area scattered by `amplitude` pixels; source pixels of value 0
// are left out.
void waveStep(int32_t amplitude);
void resetWave();
