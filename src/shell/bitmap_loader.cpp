// Loads 8-bit bitmap files into surfaces; the screen takes the file's colours.
#include <SDL.h>

#include <cstring>

#include "shell/platform.h"

void loadBitmapToSurface(Surface& s, const char* fileName) {
    SDL_Surface* bitmap = SDL_LoadBMP(fileName);
    if (bitmap == nullptr) return;
    if (bitmap->format->BitsPerPixel != 8 || bitmap->format->palette == nullptr) {
        SDL_FreeSurface(bitmap);
        return;
    }
    // A colour table of fewer than 256 entries leaves the rest black.
    PaletteEntry entries[256] = {};
    const SDL_Palette* table = bitmap->format->palette;
    const int count = table->ncolors < 256 ? table->ncolors : 256;
    for (int i = 0; i < 256; ++i) {
        if (i < count) {
            entries[i].red = table->colors[i].r;
            entries[i].green = table->colors[i].g;
            entries[i].blue = table->colors[i].b;
        }
        entries[i].flags = 5;
    }
    setDisplayPalette(entries);
    getDisplayPalette(displayPalette);
    getDisplayPalette(targetPalette);

    if (s.held && s.pixels != nullptr && SDL_LockSurface(bitmap) == 0) {
        const int width = bitmap->w < s.width ? bitmap->w : s.width;
        const int height = bitmap->h < s.height ? bitmap->h : s.height;
        const uint8_t* source = static_cast<const uint8_t*>(bitmap->pixels);
        for (int row = 0; row < height; ++row) {
            std::memcpy(s.pixels + row * s.pitch, source + row * bitmap->pitch, width);
        }
        SDL_UnlockSurface(bitmap);
    }
    SDL_FreeSurface(bitmap);
}
