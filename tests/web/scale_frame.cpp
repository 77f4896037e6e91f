// SPDX-License-Identifier: GPL-2.0-or-later
// The desktop's scaling of one frame into a window of a given size, for the
// browser test to compare the page's pixels with: a 640 x 480 RGBA frame in,
// the window's RGB pixels out (black around the picture).
//   scale_frame FRAME.rgba WIDTH HEIGHT OUT.rgb
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/shared/picture_scale.h"

namespace {
AxisMap columns;
AxisMap rows;
}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: scale_frame FRAME.rgba WIDTH HEIGHT OUT.rgb\n");
        return 2;
    }
    const int width = std::atoi(argv[2]);
    const int height = std::atoi(argv[3]);
    if (width < 1 || height < 1 || width > MAX_VIEW_SIZE || height > MAX_VIEW_SIZE) return 2;
    std::vector<uint8_t> rgba(SCREEN_WIDTH * SCREEN_HEIGHT * 4);
    FILE* in = std::fopen(argv[1], "rb");
    if (in == nullptr || std::fread(rgba.data(), 1, rgba.size(), in) != rgba.size()) {
        std::fprintf(stderr, "scale_frame: cannot read %s\n", argv[1]);
        return 1;
    }
    std::fclose(in);
    // The frame's colours back into a palette and index pixels.
    std::vector<uint32_t> colors;
    std::vector<uint8_t> pixels(SCREEN_WIDTH * SCREEN_HEIGHT);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t color = rgba[i * 4] | rgba[i * 4 + 1] << 8 | rgba[i * 4 + 2] << 16;
        size_t index = 0;
        while (index < colors.size() && colors[index] != color) ++index;
        if (index == colors.size()) {
            if (colors.size() == 256) {
                std::fprintf(stderr, "scale_frame: more than 256 colours\n");
                return 1;
            }
            colors.push_back(color);
        }
        pixels[i] = static_cast<uint8_t>(index);
    }
    colors.resize(256, 0);
    const Viewport view = viewportFor(width, height);
    buildAxisMap(columns, SCREEN_WIDTH, view.width);
    buildAxisMap(rows, SCREEN_HEIGHT, view.height);
    std::vector<uint32_t> window(static_cast<size_t>(width) * height, 0);
    scalePicture(window.data(), width, view, columns, rows, pixels.data(), SCREEN_WIDTH, colors.data());
    std::vector<uint8_t> rgb(window.size() * 3);
    for (size_t i = 0; i < window.size(); ++i) {
        rgb[i * 3] = static_cast<uint8_t>(window[i]);
        rgb[i * 3 + 1] = static_cast<uint8_t>(window[i] >> 8);
        rgb[i * 3 + 2] = static_cast<uint8_t>(window[i] >> 16);
    }
    FILE* out = std::fopen(argv[4], "wb");
    if (out == nullptr || std::fwrite(rgb.data(), 1, rgb.size(), out) != rgb.size() || std::fclose(out) != 0) {
        std::fprintf(stderr, "scale_frame: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}
