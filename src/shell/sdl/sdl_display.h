// The picture in the window: the 640 x 480 index frame converted through the
// palette and scaled, nearest-neighbour and letterboxed, straight into the
// window's framebuffer.
#pragma once
#include <SDL.h>

#include "shell/platform.h"

// Where the picture lies in a window of the given size.
struct Viewport {
    int x, y, width, height;
};
Viewport viewportFor(int windowWidth, int windowHeight);

// Window pixel to picture pixel, clamped to the picture.
Point windowToPicture(const Viewport& view, int windowX, int windowY);

// Converts and scales one frame into the window and shows it.
void showFrameInWindow(SDL_Window* window, const uint8_t* pixels, int pitch, const PaletteEntry* palette);
// The viewport of the last frame shown (for the cursor).
const Viewport& currentViewport();
