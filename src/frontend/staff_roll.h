// SPDX-License-Identifier: GPL-2.0-or-later
// The ending: the music switch scene and the staff roll with its scrolling
// credits, photographs, notice, logo and production credit line.
#pragma once
#include <cstdint>

#include "core/devices.h"

extern int32_t rollFrames;         // frames since the staff roll began
extern int32_t photoIndex;         // current photograph, 0 to 12
extern int32_t photoY;             // top edge of the photograph on screen
extern int32_t photoSliding;       // the photograph is coming down or resting
extern int32_t photosActive;       // photographs are still being shown
extern int32_t photoPhase;         // 0 shown, 1 set up the scatter, 2 scattering
extern int32_t waveAmplitude;      // scatter distance of the current step
extern int32_t captionBrightness;  // grey level of the caption
extern int32_t scrollActive;       // the credit lines are scrolling
extern float scrollOffset;         // y of the first credit line
extern int32_t creditsX;           // x of the credit lines
extern int32_t noticeOn;
extern int32_t noticeDone;
extern int32_t noticeFrames;
extern int32_t noticeBrightness;
extern int32_t logoRight;          // right edge of the logo's source rectangle
extern int32_t creditBrightness;   // grey level of the production credit line
extern int32_t rollEnterLatch;     // Enter seen down and not yet up

constexpr int STAFF_LINE_COUNT = 160;
constexpr int PHOTO_COUNT = 13;
constexpr int LOGO_LEFT = 2;
constexpr int LOGO_TOP = 177;
constexpr int LOGO_BOTTOM = 261;
constexpr int LOGO_RIGHT_MAX = 448;

// Fixed texts and places (credits.cpp).
extern const char staffLines[STAFF_LINE_COUNT][100];
extern const char photoCaptions[PHOTO_COUNT][2][30];  // role title, then name
extern const Rect photoRects[PHOTO_COUNT];            // places in syasinSurface
extern const char noticeLines[2][64];
extern const char productionLine[64];

// Puts the whole sequence back to its first frame; the ending start calls it,
// so every ending plays from the start.
void restartStaffRoll();
