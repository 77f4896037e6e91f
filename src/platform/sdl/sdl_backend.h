// SPDX-License-Identifier: GPL-2.0-or-later
// The real backend: an SDL2 window (full screen unless the options ask for a
// window), input, the clock and music.
#pragma once
#include <cstdint>

#include "core/devices.h"

// Opens the window and the display; false when there is no display or the
// window cannot be created (videoProblem() in sdl_window.h says why).
bool sdlBackendOpen();
// The same, with the start-up run at the same time: the surfaces, bitmaps and
// font load while the window waits on the display server.
bool sdlBackendOpenAndStart();
// Converts a frame through the palette and shows it, without the 60 Hz wait.
void sdlShowFrame(const uint8_t* pixels, int pitch, const PaletteEntry* palette);
// Closes music, window and SDL.
void sdlBackendClose();
