// SPDX-License-Identifier: GPL-2.0-or-later
// The desktop's scaling of one frame into a window of a given size, for the
// browser test to compare the page's pixels with: a 640 x 480 RGBA frame in,
// the window's RGB pixels out (black around the picture).
//   scale_frame FRAME.rgba WIDTH HEIGHT OUT.rgb
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/shared/picture_scale.h"

AxisMap columns;
AxisMap rows;

int main(int argc, char** argv) {
    const int width = argc == 5 ? std::atoi(argv[2]) : 0;
    const int height = argc == 5 ? std::atoi(argv[3]) : 0;
    std::vector<uint8_t> rgba(SCREEN_WIDTH * SCREEN_HEIGHT * 4);
    FILE* in = width > 0 && height > 0 ? std::fopen(argv[1], "rb") : nullptr;
    if (in == nullptr || std::fread(rgba.data(), 1, rgba.size(), in) != rgba.size()) return 2;
    // The frame's colours back into a palette and index pixels.
    std::vector<uint32_t> colors;
    std::vector<uint8_t> pixels(SCREEN_WIDTH * SCREEN_HEIGHT);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t color = rgba[i * 4] | rgba[i * 4 + 1] << 8 | rgba[i * 4 + 2] << 16;
        size_t index = 0;
        while (index < colors.size() && colors[index] != color) ++index;
        if (index == 256) return 3;  // not a frame of the game's
        if (index == colors.size()) colors.push_back(color);
        pixels[i] = static_cast<uint8_t>(index);
    }
    colors.resize(256, 0);
    const Viewport view = viewportFor(width, height);
    buildAxisMap(columns, SCREEN_WIDTH, view.width);
    buildAxisMap(rows, SCREEN_HEIGHT, view.height);
    std::vector<uint32_t> window(static_cast<size_t>(width) * height, 0);
    scalePicture(window.data(), width, view, columns, rows, pixels.data(), SCREEN_WIDTH, colors.data());
    std::vector<uint8_t> rgb;
    for (const uint32_t pixel : window) rgb.insert(rgb.end(), {uint8_t(pixel), uint8_t(pixel >> 8), uint8_t(pixel >> 16)});
    FILE* out = std::fopen(argv[4], "wb");
    return out != nullptr && std::fwrite(rgb.data(), 1, rgb.size(), out) == rgb.size() && std::fclose(out) == 0 ? 0 : 1;
}
