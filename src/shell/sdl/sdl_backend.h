// The real backend: a full-screen SDL2 window, input, the clock and music.
#pragma once
#include <cstdint>

#include "shell/platform.h"

// Opens the window and the display; false when the window cannot be created.
bool sdlBackendOpen();
// Converts a frame through the palette and shows it, without the 60 Hz wait.
void sdlShowFrame(const uint8_t* pixels, int pitch, const PaletteEntry* palette);
// Closes music, window and SDL.
void sdlBackendClose();
