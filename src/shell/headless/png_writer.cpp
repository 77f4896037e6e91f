// PNG output of index pixels, for screenshots and the contact sheet.
#include <png.h>

#include <cstring>
#include <vector>

#include "shell/headless/headless.h"

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
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path, 0, rgb.data(), width * 3, nullptr) != 0;
}

bool writeSurfacePng(const char* path, const Surface& surface) {
    if (!surface.held || surface.pixels == nullptr) return false;
    PaletteEntry palette[256];
    getDisplayPalette(palette);
    return writePng(path, surface.pixels, surface.width, surface.height, surface.pitch, palette);
}
