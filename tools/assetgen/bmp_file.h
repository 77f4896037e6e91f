// SPDX-License-Identifier: GPL-2.0-or-later
// 8-bit Windows bitmap files: the writer of the asset generator and a strict
// reader for the contact sheet and the tests.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace bmpfile {

struct Image {
    int width = 0;
    int height = 0;
    uint8_t palette[256][3] = {};  // red, green, blue
    std::vector<uint8_t> pixels;   // rows top-down, width bytes each
};

inline void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
inline uint32_t get16(const uint8_t* p) { return p[0] | (p[1] << 8); }
inline uint32_t get32(const uint8_t* p) { return get16(p) | (get16(p + 2) << 16); }

inline int rowStride(int width) { return (width + 3) & ~3; }

// The bytes of an 8-bit bitmap: file header, BITMAPINFOHEADER, 256 colours,
// bottom-up rows padded to four bytes.
inline std::vector<uint8_t> encode(const Image& image) {
    const uint32_t stride = static_cast<uint32_t>(rowStride(image.width));
    const uint32_t dataOffset = 14 + 40 + 256 * 4;
    const uint32_t dataSize = stride * static_cast<uint32_t>(image.height);
    std::vector<uint8_t> out;
    out.reserve(dataOffset + dataSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, dataOffset + dataSize);
    put32(out, 0);
    put32(out, dataOffset);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(image.width));
    put32(out, static_cast<uint32_t>(image.height));
    put16(out, 1);
    put16(out, 8);
    put32(out, 0);  // BI_RGB
    put32(out, dataSize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 256);
    put32(out, 256);
    for (int i = 0; i < 256; ++i) {
        out.push_back(image.palette[i][2]);
        out.push_back(image.palette[i][1]);
        out.push_back(image.palette[i][0]);
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const uint8_t* row = image.pixels.data() + static_cast<size_t>(y) * image.width;
        out.insert(out.end(), row, row + image.width);
        for (uint32_t pad = static_cast<uint32_t>(image.width); pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

inline bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

inline std::vector<uint8_t> readFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return bytes;
    uint8_t buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(f);
    return bytes;
}

// Reads an uncompressed 8-bit bottom-up bitmap with a full 256-entry colour
// table. Any other layout is refused (returns false) with a reason.
inline bool decode(const std::vector<uint8_t>& bytes, Image& image, std::string* why = nullptr) {
    auto fail = [&](const char* reason) {
        if (why != nullptr) *why = reason;
        return false;
    };
    if (bytes.size() < 14 + 40 + 1024) return fail("file too short");
    const uint8_t* b = bytes.data();
    if (b[0] != 'B' || b[1] != 'M') return fail("no BM signature");
    if (get32(b + 2) != bytes.size()) return fail("file size field wrong");
    const uint32_t offset = get32(b + 10);
    if (get32(b + 14) != 40) return fail("not a BITMAPINFOHEADER");
    const int32_t width = static_cast<int32_t>(get32(b + 18));
    const int32_t height = static_cast<int32_t>(get32(b + 22));
    if (width <= 0 || height <= 0) return fail("not a bottom-up bitmap of positive size");
    if (get16(b + 26) != 1 || get16(b + 28) != 8) return fail("not 8 bits per pixel");
    if (get32(b + 30) != 0) return fail("compressed");
    const uint32_t used = get32(b + 46);
    if (used != 256) return fail("colour table not 256 entries");
    if (offset != 14 + 40 + 1024) return fail("pixel data not right after the colour table");
    const size_t stride = static_cast<size_t>(rowStride(width));
    if (bytes.size() != offset + stride * static_cast<size_t>(height)) return fail("pixel data size wrong");
    image.width = width;
    image.height = height;
    for (int i = 0; i < 256; ++i) {
        image.palette[i][0] = b[54 + 4 * i + 2];
        image.palette[i][1] = b[54 + 4 * i + 1];
        image.palette[i][2] = b[54 + 4 * i];
    }
    image.pixels.assign(static_cast<size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = b + offset + stride * static_cast<size_t>(height - 1 - y);
        std::memcpy(image.pixels.data() + static_cast<size_t>(y) * width, src, static_cast<size_t>(width));
    }
    return true;
}

}  // namespace bmpfile
