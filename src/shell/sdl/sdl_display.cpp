#include "shell/sdl/sdl_display.h"

#include <cstring>

namespace {
Viewport lastView{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
int mappedWidth = 0;
int mappedHeight = 0;
// For each window column and row of the viewport, the picture column and row.
int16_t sourceColumn[8192];
int16_t sourceRow[8192];

void buildMaps(const Viewport& view) {
    for (int x = 0; x < view.width && x < 8192; ++x) sourceColumn[x] = static_cast<int16_t>(x * SCREEN_WIDTH / view.width);
    for (int y = 0; y < view.height && y < 8192; ++y) sourceRow[y] = static_cast<int16_t>(y * SCREEN_HEIGHT / view.height);
}

template <typename Pixel>
void scaleRows(uint8_t* target, int targetPitch, const Viewport& view, const uint8_t* pixels, int pitch,
               const Pixel* colors) {
    int lastSource = -1;
    const uint8_t* lastRow = nullptr;
    for (int y = 0; y < view.height; ++y) {
        Pixel* out = reinterpret_cast<Pixel*>(target + (view.y + y) * targetPitch) + view.x;
        const int source = sourceRow[y];
        if (source == lastSource) {  // a repeated row is a copy of the one above
            std::memcpy(out, lastRow, view.width * sizeof(Pixel));
            continue;
        }
        const uint8_t* in = pixels + source * pitch;
        for (int x = 0; x < view.width; ++x) out[x] = colors[in[sourceColumn[x]]];
        lastSource = source;
        lastRow = reinterpret_cast<const uint8_t*>(out);
    }
}
}  // namespace

Viewport viewportFor(int windowWidth, int windowHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) return Viewport{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    if (windowWidth > 8192) windowWidth = 8192;
    if (windowHeight > 8192) windowHeight = 8192;
    // The largest 4:3 rectangle that fits, centred.
    int width = windowWidth;
    int height = width * SCREEN_HEIGHT / SCREEN_WIDTH;
    if (height > windowHeight) {
        height = windowHeight;
        width = height * SCREEN_WIDTH / SCREEN_HEIGHT;
    }
    return Viewport{(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}

Point windowToPicture(const Viewport& view, int windowX, int windowY) {
    int x = view.width > 0 ? (windowX - view.x) * SCREEN_WIDTH / view.width : 0;
    int y = view.height > 0 ? (windowY - view.y) * SCREEN_HEIGHT / view.height : 0;
    if (windowX < view.x) x = 0;
    if (windowY < view.y) y = 0;
    x = x >= SCREEN_WIDTH ? SCREEN_WIDTH - 1 : x;
    y = y >= SCREEN_HEIGHT ? SCREEN_HEIGHT - 1 : y;
    return Point{x, y};
}

const Viewport& currentViewport() { return lastView; }

void showFrameInWindow(SDL_Window* window, const uint8_t* pixels, int pitch, const PaletteEntry* palette) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr) return;
    const Viewport view = viewportFor(surface->w, surface->h);
    const bool resized = surface->w != mappedWidth || surface->h != mappedHeight;
    if (resized) {
        buildMaps(view);
        mappedWidth = surface->w;
        mappedHeight = surface->h;
    }
    lastView = view;
    const int bytes = surface->format->BytesPerPixel;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    uint8_t* target = static_cast<uint8_t*>(surface->pixels);
    if (resized) std::memset(target, 0, static_cast<size_t>(surface->pitch) * surface->h);
    if (bytes == 4) {
        uint32_t colors[256];
        for (int i = 0; i < 256; ++i) colors[i] = SDL_MapRGB(surface->format, palette[i].red, palette[i].green, palette[i].blue);
        scaleRows<uint32_t>(target, surface->pitch, view, pixels, pitch, colors);
    } else if (bytes == 2) {
        uint16_t colors[256];
        for (int i = 0; i < 256; ++i) {
            colors[i] = static_cast<uint16_t>(SDL_MapRGB(surface->format, palette[i].red, palette[i].green, palette[i].blue));
        }
        scaleRows<uint16_t>(target, surface->pitch, view, pixels, pitch, colors);
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(window);
}
