// SPDX-License-Identifier: GPL-2.0-or-later
// PNG encoding with stb_image_write: rows of 3 (RGB) or 4 (RGBA) bytes per
// pixel, written whole to `path`.
#pragma once
#include <cstdint>

bool writeRgbPng(const char* path, const uint8_t* pixels, int width, int height, int channels);
