// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/headless/stb_png.h"

#include <cstdio>

#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace {
struct Output {
    FILE* file;
    bool ok;
};

void writeBytes(void* context, void* data, int size) {
    Output* out = static_cast<Output*>(context);
    if (out->ok && std::fwrite(data, 1, static_cast<size_t>(size), out->file) != static_cast<size_t>(size)) {
        out->ok = false;
    }
}
}  // namespace

bool writeRgbPng(const char* path, const uint8_t* pixels, int width, int height, int channels) {
    Output out{std::fopen(path, "wb"), true};
    if (out.file == nullptr) return false;
    const bool encoded =
        stbi_write_png_to_func(writeBytes, &out, width, height, channels, pixels, width * channels) != 0;
    const bool closed = std::fclose(out.file) == 0;
    return encoded && out.ok && closed;
}
