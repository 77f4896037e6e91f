// SPDX-License-Identifier: GPL-2.0-or-later
// The application icon: a rising green price line with an arrow head over a
// dusk skyline, on a rounded square, written as RGBA PNG files in every size of
// the hicolor icon theme and as one Windows icon file. Drawn from shapes, each
// size sampled on its own grid.
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assets.h"
#include "platform/headless/stb_png.h"

namespace icon {
namespace {

struct Color {
    float r, g, b, a;
};

constexpr float CORNER = 0.17f;
constexpr float MARGIN = 0.04f;
constexpr float LINE[][2] = {{0.13f, 0.74f}, {0.36f, 0.50f}, {0.53f, 0.60f}, {0.76f, 0.33f}};
constexpr int LINE_POINTS = 4;
constexpr float BUILDINGS[][3] = {
    // left, right, top
    {0.00f, 0.17f, 0.71f}, {0.17f, 0.30f, 0.62f}, {0.30f, 0.47f, 0.77f}, {0.47f, 0.58f, 0.57f},
    {0.58f, 0.75f, 0.70f}, {0.75f, 0.86f, 0.63f}, {0.86f, 1.00f, 0.74f},
};

bool insideRoundedSquare(float u, float v) {
    const float lo = MARGIN + CORNER;
    const float hi = 1.0f - MARGIN - CORNER;
    if (u < MARGIN || v < MARGIN || u > 1.0f - MARGIN || v > 1.0f - MARGIN) return false;
    const float du = u < lo ? lo - u : (u > hi ? u - hi : 0.0f);
    const float dv = v < lo ? lo - v : (v > hi ? v - hi : 0.0f);
    return du * du + dv * dv <= CORNER * CORNER;
}

float distanceToSegment(float u, float v, const float* a, const float* b) {
    const float dx = b[0] - a[0];
    const float dy = b[1] - a[1];
    float t = ((u - a[0]) * dx + (v - a[1]) * dy) / (dx * dx + dy * dy);
    t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
    const float ex = a[0] + t * dx - u;
    const float ey = a[1] + t * dy - v;
    return std::sqrt(ex * ex + ey * ey);
}

float distanceToLine(float u, float v) {
    float best = 2.0f;
    for (int i = 0; i + 1 < LINE_POINTS; ++i) {
        const float d = distanceToSegment(u, v, LINE[i], LINE[i + 1]);
        if (d < best) best = d;
    }
    return best;
}

// The arrow head at the line's end, grown by `grow` for its outline.
bool insideArrowHead(float u, float v, float grow) {
    const float* tail = LINE[LINE_POINTS - 2];
    const float* tip = LINE[LINE_POINTS - 1];
    float dx = tip[0] - tail[0];
    float dy = tip[1] - tail[1];
    const float length = std::sqrt(dx * dx + dy * dy);
    dx /= length;
    dy /= length;
    // Along the direction from the line's end, and across it.
    const float along = (u - tip[0]) * dx + (v - tip[1]) * dy;
    const float across = std::fabs(-(u - tip[0]) * dy + (v - tip[1]) * dx);
    const float headLength = 0.20f + grow;
    const float halfWidth = 0.13f + grow;
    const float start = -0.04f - grow;
    if (along < start || along > start + headLength) return false;
    return across <= halfWidth * (1.0f - (along - start) / headLength);
}

Color sample(float u, float v) {
    if (!insideRoundedSquare(u, v)) return Color{0, 0, 0, 0};
    // Dusk: deep blue above, violet toward the horizon.
    const float t = (v - MARGIN) / (1.0f - 2 * MARGIN);
    Color c{0.08f + 0.30f * t, 0.10f + 0.08f * t, 0.28f + 0.14f * t, 1.0f};
    for (const auto& building : BUILDINGS) {
        if (u < building[0] || u >= building[1] || v < building[2]) continue;
        c = Color{0.06f, 0.06f, 0.14f, 1.0f};
        // Lit windows on a grid, some of them dark.
        const int column = static_cast<int>((u - building[0]) / 0.04f);
        const int row = static_cast<int>((v - building[2]) / 0.05f);
        const float cu = u - building[0] - column * 0.04f;
        const float cv = v - building[2] - row * 0.05f;
        const bool lit = ((column * 7 + row * 3 + static_cast<int>(building[0] * 100)) % 5) < 2;
        if (lit && cu > 0.015f && cu < 0.032f && cv > 0.02f && cv < 0.042f)
            c = Color{0.98f, 0.80f, 0.35f, 1.0f};
    }
    const float d = distanceToLine(u, v);
    if (d < 0.075f || insideArrowHead(u, v, 0.035f)) c = Color{0.02f, 0.18f, 0.07f, 1.0f};
    if (d < 0.045f || insideArrowHead(u, v, 0.0f)) c = Color{0.30f, 0.92f, 0.38f, 1.0f};
    return c;
}

// One size, each pixel the mean of a grid of samples.
std::vector<uint8_t> render(int size) {
    const int grid = size <= 32 ? 8 : 4;
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < grid; ++sy) {
                for (int sx = 0; sx < grid; ++sx) {
                    const float u = (x + (sx + 0.5f) / grid) / size;
                    const float v = (y + (sy + 0.5f) / grid) / size;
                    const Color c = sample(u, v);
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                }
            }
            uint8_t* out = &rgba[(static_cast<size_t>(y) * size + x) * 4];
            const float samples = static_cast<float>(grid * grid);
            out[0] = static_cast<uint8_t>(a > 0 ? std::lround(255 * r / a) : 0);
            out[1] = static_cast<uint8_t>(a > 0 ? std::lround(255 * g / a) : 0);
            out[2] = static_cast<uint8_t>(a > 0 ? std::lround(255 * b / a) : 0);
            out[3] = static_cast<uint8_t>(std::lround(255 * a / samples));
        }
    }
    return rgba;
}

bool writePng(const std::string& path, const std::vector<uint8_t>& rgba, int size) {
    return writeRgbPng(path.c_str(), rgba.data(), size, size, 4);
}

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

// One image of an .ico file: a 32-bit bottom-up bitmap with its mask.
std::vector<uint8_t> icoBitmap(const std::vector<uint8_t>& rgba, int size) {
    std::vector<uint8_t> out;
    put32(out, 40);
    put32(out, static_cast<uint32_t>(size));
    put32(out, static_cast<uint32_t>(size * 2));  // colour rows, then mask rows
    put16(out, 1);
    put16(out, 32);
    for (int i = 0; i < 6; ++i) put32(out, 0);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const uint8_t* p = &rgba[(static_cast<size_t>(y) * size + x) * 4];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    const int maskRow = (size + 31) / 32 * 4;
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<size_t>(maskRow), 0);
        for (int x = 0; x < size; ++x) {
            if (rgba[(static_cast<size_t>(y) * size + x) * 4 + 3] == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> readAll(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) return bytes;
    uint8_t chunk[4096];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(in);
    return bytes;
}

// The Windows icon: bitmaps up to 64 pixels, the 256-pixel PNG as it is.
bool writeIco(const std::string& path, const std::string& png256) {
    constexpr int SIZES[] = {16, 24, 32, 48, 64};
    std::vector<std::vector<uint8_t>> images;
    for (int size : SIZES) images.push_back(icoBitmap(render(size), size));
    images.push_back(readAll(png256));
    if (images.back().empty()) return false;
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 1);
    put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int size = i < std::size(SIZES) ? SIZES[i] : 256;
        out.push_back(static_cast<uint8_t>(size == 256 ? 0 : size));
        out.push_back(static_cast<uint8_t>(size == 256 ? 0 : size));
        out.push_back(0);
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const std::vector<uint8_t>& image : images) out.insert(out.end(), image.begin(), image.end());
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace

bool writeIcons(const std::string& folder) {
    constexpr int SIZES[] = {16, 22, 24, 32, 48, 64, 128, 192, 256, 512};
    bool ok = true;
    std::string path = folder;
    mkdir(path.c_str(), 0755);
    path += "/hicolor";
    mkdir(path.c_str(), 0755);
    for (int size : SIZES) {
        std::string dir = path + "/" + std::to_string(size) + "x" + std::to_string(size);
        mkdir(dir.c_str(), 0755);
        dir += "/apps";
        mkdir(dir.c_str(), 0755);
        ok = writePng(dir + "/kabusim.png", render(size), size) && ok;
    }
    return writeIco(folder + "/kabusim.ico", path + "/256x256/apps/kabusim.png") && ok;
}

}  // namespace icon
