// SPDX-License-Identifier: GPL-2.0-or-later
// Scaling of the 640 x 480 picture into a window of any size: where it lies,
// which picture pixel each window pixel shows, and the conversion of one frame
// into 32-bit window pixels. Needs no window, so it can be measured and tested
// on plain memory.
#pragma once
#include <cstdint>

#include "core/devices.h"
#include "platform/shared/options.h"

constexpr int MAX_VIEW_SIZE = 8192;

// The whole multiple of the picture that a window opens at on a desktop whose
// usable area is `usableWidth` x `usableHeight`: the largest whose window,
// with the frame a window manager adds, still fits (never below 1).
int windowedFactor(int usableWidth, int usableHeight);

// Where the picture lies in the window.
struct Viewport {
    int x, y, width, height;
};
// Sharp: the largest 4:3 rectangle that fits, centred. Integer: the largest
// whole multiple of 640 x 480 that fits, centred (the sharp rectangle when the
// window is smaller than the picture).
Viewport viewportFor(int windowWidth, int windowHeight, ScaleMode mode = ScaleMode::Sharp);

// A window point (whole pixels, or fractions of one for a finger) to the
// picture pixel under it, clamped to the picture.
Point windowToPicture(const Viewport& view, double windowX, double windowY);

// One axis of the scaling. Window pixel i of the viewport starts in picture
// pixel source[i]; when it reaches over the seam into the next picture pixel,
// nextShare[i] (1 to 256) is how much of it that next pixel covers, else 0.
// A picture pixel so covers exactly view/picture window pixels on every axis.
// Below the picture's size the scaling is plain nearest-neighbour.
struct AxisMap {
    int length = 0;
    int16_t source[MAX_VIEW_SIZE];
    uint16_t nextShare[MAX_VIEW_SIZE];
    int seamCount = 0;  // the window pixels with a share, in order
    int16_t seams[MAX_VIEW_SIZE];
};
void buildAxisMap(AxisMap& map, int pictureSize, int viewSize);

// Converts a frame of index pixels through `colors` (one 32-bit window pixel
// per palette index) and scales it into the viewport of a 32-bit target.
// The maps must have been built for the viewport's width and height.
void scalePicture(uint32_t* target, int targetPitchPixels, const Viewport& view, const AxisMap& columns,
                  const AxisMap& rows, const uint8_t* pixels, int pitch, const uint32_t* colors);
// The same for the viewport rows firstRow to endRow - 1 only (each exactly as
// scalePicture makes it); the other rows of the target are left as they are.
void scalePictureRows(uint32_t* target, int targetPitchPixels, const Viewport& view, const AxisMap& columns,
                      const AxisMap& rows, const uint8_t* pixels, int pitch, const uint32_t* colors, int firstRow,
                      int endRow);
