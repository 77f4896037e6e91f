// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/sdl/sdl_display.h"

#include <SDL.h>

#include <cstring>

namespace {
Viewport lastView{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
int mappedWidth = 0;
int mappedHeight = 0;
ScaleMode mappedMode = ScaleMode::Sharp;
AxisMap columnMap;
AxisMap rowMap;

// 16-bit framebuffers are rare: nearest picture pixel, no blending.
void scaleNearest16(uint8_t* target, int targetPitch, const Viewport& view, const uint8_t* pixels, int pitch,
                    const uint16_t* colors) {
    for (int y = 0; y < rowMap.length; ++y) {
        uint16_t* out = reinterpret_cast<uint16_t*>(target + (view.y + y) * targetPitch) + view.x;
        const uint8_t* in = pixels + rowMap.source[y] * pitch;
        for (int x = 0; x < columnMap.length; ++x) out[x] = colors[in[columnMap.source[x]]];
    }
}
}  // namespace

const Viewport& currentViewport() { return lastView; }

void resetDisplayState() {
    lastView = Viewport{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    mappedWidth = 0;
    mappedHeight = 0;
    mappedMode = ScaleMode::Sharp;
}

void clearWindow(SDL_Window* window) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr) return;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    std::memset(surface->pixels, 0, static_cast<size_t>(surface->pitch) * surface->h);
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(window);
}

void showFrameInWindow(SDL_Window* window, const uint8_t* pixels, int pitch, const PaletteEntry* palette) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr) return;
    const ScaleMode mode = programOptions.scale;
    const Viewport view = viewportFor(surface->w, surface->h, mode);
    const bool resized = surface->w != mappedWidth || surface->h != mappedHeight || mode != mappedMode;
    if (resized) {
        buildAxisMap(columnMap, SCREEN_WIDTH, view.width);
        buildAxisMap(rowMap, SCREEN_HEIGHT, view.height);
        mappedWidth = surface->w;
        mappedHeight = surface->h;
        mappedMode = mode;
    }
    lastView = view;
    const int bytes = surface->format->BytesPerPixel;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    uint8_t* target = static_cast<uint8_t*>(surface->pixels);
    if (resized) std::memset(target, 0, static_cast<size_t>(surface->pitch) * surface->h);
    if (bytes == 4) {
        uint32_t colors[256];
        for (int i = 0; i < 256; ++i) colors[i] = SDL_MapRGB(surface->format, palette[i].red, palette[i].green, palette[i].blue);
        scalePicture(reinterpret_cast<uint32_t*>(target), surface->pitch / 4, view, columnMap, rowMap, pixels, pitch,
                     colors);
    } else if (bytes == 2) {
        uint16_t colors[256];
        for (int i = 0; i < 256; ++i) {
            colors[i] = static_cast<uint16_t>(SDL_MapRGB(surface->format, palette[i].red, palette[i].green, palette[i].blue));
        }
        scaleNearest16(target, surface->pitch, view, pixels, pitch, colors);
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(window);
}
