// SPDX-License-Identifier: GPL-2.0-or-later
// PNG output of index pixels, for screenshots and the contact sheet. One
// encoder on every platform, so the same frame gives the same file bytes.
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/headless/stb_png.h"

bool writePng(const char* path, const uint8_t* pixels, int width, int height, int pitch,
              const PaletteEntry* palette) {
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const PaletteEntry& entry = palette[pixels[y * pitch + x]];
            uint8_t* out = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            out[0] = entry.red;
            out[1] = entry.green;
            out[2] = entry.blue;
        }
    }
    return writeRgbPng(path, rgb.data(), width, height, 3);
}

bool writeSurfacePng(const char* path, const Surface& surface) {
    if (!surface.held || surface.pixels == nullptr) return false;
    PaletteEntry palette[256];
    getDisplayPalette(palette);
    return writePng(path, surface.pixels, surface.width, surface.height, surface.pitch, palette);
}
