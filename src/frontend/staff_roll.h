// SPDX-License-Identifier: GPL-2.0-or-later
// The ending: the music switch scene and the staff roll with its scrolling
// credits, photographs, notice, logo and production credit line.
#pragma once
#include <cstdint>

#include "core/devices.h"

// Every field holds its program-start value, the first frame of the roll,
// until the roll changes it.
struct StaffRollState {
    int32_t rollFrames = 0;         // frames since the staff roll began
    int32_t photoIndex = 0;         // current photograph, 0 to 12
    int32_t photoY = -120;          // top edge of the photograph on screen
    int32_t photoSliding = 1;       // the photograph is coming down or resting
    int32_t photosActive = 1;       // photographs are still being shown
    int32_t photoPhase = 0;         // 0 shown, 1 set up the scatter, 2 scattering
    int32_t waveAmplitude = 0;      // scatter distance of the current step
    int32_t captionBrightness = 0;  // grey level of the caption
    int32_t scrollActive = 1;       // the credit lines are scrolling
    float scrollOffset = 480.0f;    // y of the first credit line
    int32_t creditsX = 50;          // x of the credit lines
    int32_t noticeOn = 0;
    int32_t noticeDone = 0;
    int32_t noticeFrames = 0;
    int32_t noticeBrightness = 255;
    int32_t logoRight = 0;         // right edge of the logo's source rectangle
    int32_t creditBrightness = 0;  // grey level of the production credit line
    int32_t rollEnterLatch = 0;    // Enter seen down and not yet up

    bool operator==(const StaffRollState&) const = default;
};
extern StaffRollState staffRoll;

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
