// The real backend: a full-screen SDL2 window, input, the clock and music.
#pragma once

// Opens the window and the display; false when the window cannot be created.
bool sdlBackendOpen();
// Closes music, window and SDL.
void sdlBackendClose();
