// SPDX-License-Identifier: GPL-2.0-or-later
// The picture in the window: the 640 x 480 index frame converted through the
// palette and scaled (picture_scale.h), letterboxed, straight into the
// window's framebuffer.
#pragma once
#include "core/devices.h"
#include "platform/shared/picture_scale.h"

struct SDL_Window;

// Converts and scales one frame into the window and shows it.
void showFrameInWindow(SDL_Window* window, const uint8_t* pixels, int pitch, const PaletteEntry* palette);
// Shows the window black. The first use of a framebuffer costs tens of
// milliseconds on both sides of the display connection; done at once, it
// overlaps the loading of the start-up.
void clearWindow(SDL_Window* window);
// The viewport of the last frame shown (for the cursor).
const Viewport& currentViewport();
// Forgets the window size, so the next frame clears the borders and remaps.
void resetDisplayState();
