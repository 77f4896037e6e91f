// SPDX-License-Identifier: GPL-2.0-or-later
// The scripted backend: no window, a virtual clock, input set by the caller,
// music commands recorded, frames kept for inspection and PNG output.
#pragma once
#include <cstdint>

#include "platform/backend.h"

namespace headless {

// Makes the headless backend the current one and clears its state: clock 0,
// cursor (0, 0), no button or key down, no events, empty music log.
void install();

// Virtual clock.
void setTime(uint32_t ms);
void advanceTime(uint32_t ms);
// Milliseconds the clock moves on at every present (0 by default).
void setPresentAdvance(uint32_t ms);

// Input.
void setCursor(int x, int y);
void setButton(bool down);
void setKey(Key key, bool down);
void releaseAll();

// Window events waiting for the main loop.
void pushEvent(EventKind kind, int code = 0);

// Presents so far, and the last presented frame (index pixels, 640 x 480,
// with the palette it was shown through).
int presentCount();
const uint8_t* presentedPixels();
const PaletteEntry* presentedPalette();

// Music commands sent so far, oldest first (the last 256 are kept).
int musicCommandCount();
const char* musicCommand(int index);  // "" when out of range
void clearMusicLog();

// Makes surface locks fail (true) or succeed.
void setLocksFail(bool fail);

}  // namespace headless

// Writes index pixels through a palette as an RGB PNG. Returns false on failure.
bool writePng(const char* path, const uint8_t* pixels, int width, int height, int pitch,
              const PaletteEntry* palette);
// Writes a surface through the current screen palette.
bool writeSurfacePng(const char* path, const Surface& surface);
