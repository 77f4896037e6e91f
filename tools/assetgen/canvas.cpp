// SPDX-License-Identifier: GPL-2.0-or-later
// Canvas, quantisation and anti-aliased shapes.
#include <algorithm>
#include <cmath>

#include "art.h"

namespace art {
namespace {

constexpr int BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
constexpr int DITHER_SPREAD = 22;

int clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// Fills the pixels of a box by 4 x 4 samples of inside(x, y); colourAt(y) gives
// the colour for a pixel row.
template <typename Inside, typename ColourAt>
void coverFill(Canvas& c, float bx0, float by0, float bx1, float by1, Inside inside, ColourAt colourAt,
               uint8_t fullFlags = 0) {
    const int x0 = std::max(0, static_cast<int>(std::floor(bx0)));
    const int y0 = std::max(0, static_cast<int>(std::floor(by0)));
    const int x1 = std::min(c.width, static_cast<int>(std::ceil(bx1)));
    const int y1 = std::min(c.height, static_cast<int>(std::ceil(by1)));
    for (int y = y0; y < y1; ++y) {
        const Rgb col = colourAt(y);
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    if (inside(x + (sx + 0.5f) / 4.0f, y + (sy + 0.5f) / 4.0f)) ++hits;
                }
            }
            if (hits == 16) {
                c.at(x, y) = Pixel{col, fullFlags};
            } else if (hits > 0) {
                blend(c, x, y, col, hits * 16);
            }
        }
    }
}

bool insideRoundRect(float px, float py, float x0, float y0, float x1, float y1, float r) {
    if (px < x0 || px > x1 || py < y0 || py > y1) return false;
    const float cx = std::clamp(px, x0 + r, x1 - r);
    const float cy = std::clamp(py, y0 + r, y1 - r);
    const float dx = px - cx, dy = py - cy;
    return dx * dx + dy * dy <= r * r;
}

float segmentDistance(float px, float py, float ax, float ay, float bx, float by) {
    const float vx = bx - ax, vy = by - ay;
    const float len2 = vx * vx + vy * vy;
    float t = len2 > 0 ? ((px - ax) * vx + (py - ay) * vy) / len2 : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    const float dx = px - (ax + t * vx), dy = py - (ay + t * vy);
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

Canvas::Canvas(int w, int h, Rgb fill)
    : width(w), height(h), pixels(static_cast<size_t>(w) * h, Pixel{fill, 0}) {}
Canvas::Canvas(int w, int h)
    : width(w), height(h), pixels(static_cast<size_t>(w) * h, Pixel{rgb(0, 0, 0), KEY}) {}

std::vector<uint8_t> Canvas::indexes() const {
    std::vector<uint8_t> out(pixels.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Pixel& p = at(x, y);
            uint8_t index;
            if (p.flags & KEY) {
                index = INDEX_KEY;
            } else if (p.flags & DITHER) {
                const int offset = (BAYER[y & 3][x & 3] * 2 - 15) * DITHER_SPREAD / 32;
                index = nearestIndex(
                    rgb(clamp255(p.c.r + offset), clamp255(p.c.g + offset), clamp255(p.c.b + offset)));
            } else {
                index = nearestIndex(p.c);
            }
            out[static_cast<size_t>(y) * width + x] = index;
        }
    }
    return out;
}

void put(Canvas& c, int x, int y, Rgb col) {
    if (!c.inside(x, y)) return;
    c.at(x, y) = Pixel{col, 0};
}

void blend(Canvas& c, int x, int y, Rgb col, int cover) {
    if (!c.inside(x, y) || cover <= 0) return;
    Pixel& p = c.at(x, y);
    if (p.flags & KEY) {
        if (cover >= 128) p = Pixel{col, 0};
        return;
    }
    if (cover >= 256) {
        p = Pixel{col, 0};
    } else {
        p.c = mix(p.c, col, cover);
        p.flags = 0;
    }
}

void fillRect(Canvas& c, int x0, int y0, int x1, int y1, Rgb col) {
    for (int y = std::max(0, y0); y < std::min(c.height, y1); ++y) {
        for (int x = std::max(0, x0); x < std::min(c.width, x1); ++x) c.at(x, y) = Pixel{col, 0};
    }
}

void clearRect(Canvas& c, int x0, int y0, int x1, int y1) {
    for (int y = std::max(0, y0); y < std::min(c.height, y1); ++y) {
        for (int x = std::max(0, x0); x < std::min(c.width, x1); ++x) c.at(x, y) = Pixel{rgb(0, 0, 0), KEY};
    }
}

void frameRect(Canvas& c, int x0, int y0, int x1, int y1, Rgb col, int thickness) {
    fillRect(c, x0, y0, x1, y0 + thickness, col);
    fillRect(c, x0, y1 - thickness, x1, y1, col);
    fillRect(c, x0, y0, x0 + thickness, y1, col);
    fillRect(c, x1 - thickness, y0, x1, y1, col);
}

void hLine(Canvas& c, int x0, int x1, int y, Rgb col) { fillRect(c, x0, y, x1, y + 1, col); }
void vLine(Canvas& c, int x, int y0, int y1, Rgb col) { fillRect(c, x, y0, x + 1, y1, col); }

void vGradient(Canvas& c, int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) {
    const int h = std::max(1, y1 - y0 - 1);
    for (int y = std::max(0, y0); y < std::min(c.height, y1); ++y) {
        const Rgb col = mix(top, bottom, (y - y0) * 256 / h);
        for (int x = std::max(0, x0); x < std::min(c.width, x1); ++x) c.at(x, y) = Pixel{col, DITHER};
    }
}

void hGradient(Canvas& c, int x0, int y0, int x1, int y1, Rgb left, Rgb right) {
    const int w = std::max(1, x1 - x0 - 1);
    for (int y = std::max(0, y0); y < std::min(c.height, y1); ++y) {
        for (int x = std::max(0, x0); x < std::min(c.width, x1); ++x) {
            c.at(x, y) = Pixel{mix(left, right, (x - x0) * 256 / w), DITHER};
        }
    }
}

void vGradient3(Canvas& c, int x0, int y0, int x1, int y1, Rgb top, Rgb mid, Rgb bottom) {
    const int half = (y0 + y1) / 2;
    vGradient(c, x0, y0, x1, half, top, mid);
    vGradient(c, x0, half, x1, y1, mid, bottom);
}

void fillRoundRect(Canvas& c, float x0, float y0, float x1, float y1, float radius, Rgb col) {
    coverFill(
        c, x0, y0, x1, y1,
        [&](float px, float py) { return insideRoundRect(px, py, x0, y0, x1, y1, radius); },
        [&](int) { return col; });
}

void fillRoundRectGradient(Canvas& c, float x0, float y0, float x1, float y1, float radius, Rgb top,
                           Rgb bottom) {
    const float h = std::max(1.0f, y1 - y0 - 1);
    coverFill(
        c, x0, y0, x1, y1,
        [&](float px, float py) { return insideRoundRect(px, py, x0, y0, x1, y1, radius); },
        [&](int y) { return mix(top, bottom, static_cast<int>((y - y0) * 256 / h)); }, DITHER);
}

void strokeRoundRect(Canvas& c, float x0, float y0, float x1, float y1, float radius, float width, Rgb col) {
    const float ir = std::max(0.0f, radius - width);
    coverFill(
        c, x0, y0, x1, y1,
        [&](float px, float py) {
            return insideRoundRect(px, py, x0, y0, x1, y1, radius) &&
                   !insideRoundRect(px, py, x0 + width, y0 + width, x1 - width, y1 - width, ir);
        },
        [&](int) { return col; });
}

void fillEllipse(Canvas& c, float cx, float cy, float rx, float ry, Rgb col) {
    coverFill(
        c, cx - rx, cy - ry, cx + rx, cy + ry,
        [&](float px, float py) {
            const float dx = (px - cx) / rx, dy = (py - cy) / ry;
            return dx * dx + dy * dy <= 1.0f;
        },
        [&](int) { return col; });
}

void strokeEllipse(Canvas& c, float cx, float cy, float rx, float ry, float width, Rgb col) {
    coverFill(
        c, cx - rx, cy - ry, cx + rx, cy + ry,
        [&](float px, float py) {
            const float dx = (px - cx) / rx, dy = (py - cy) / ry;
            const float ix = (px - cx) / (rx - width), iy = (py - cy) / (ry - width);
            return dx * dx + dy * dy <= 1.0f && ix * ix + iy * iy > 1.0f;
        },
        [&](int) { return col; });
}

void fillPolygon(Canvas& c, const float* xy, int points, Rgb col) {
    float bx0 = xy[0], by0 = xy[1], bx1 = xy[0], by1 = xy[1];
    for (int i = 1; i < points; ++i) {
        bx0 = std::min(bx0, xy[2 * i]);
        bx1 = std::max(bx1, xy[2 * i]);
        by0 = std::min(by0, xy[2 * i + 1]);
        by1 = std::max(by1, xy[2 * i + 1]);
    }
    coverFill(
        c, bx0, by0, bx1, by1,
        [&](float px, float py) {
            bool in = false;
            for (int i = 0, j = points - 1; i < points; j = i++) {
                const float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
                if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) in = !in;
            }
            return in;
        },
        [&](int) { return col; });
}

void line(Canvas& c, float x0, float y0, float x1, float y1, float width, Rgb col) {
    const float h = width / 2;
    coverFill(
        c, std::min(x0, x1) - h, std::min(y0, y1) - h, std::max(x0, x1) + h, std::max(y0, y1) + h,
        [&](float px, float py) { return segmentDistance(px, py, x0, y0, x1, y1) <= h; },
        [&](int) { return col; });
}

void polyline(Canvas& c, const float* xy, int points, float width, Rgb col) {
    float bx0 = xy[0], by0 = xy[1], bx1 = xy[0], by1 = xy[1];
    for (int i = 1; i < points; ++i) {
        bx0 = std::min(bx0, xy[2 * i]);
        bx1 = std::max(bx1, xy[2 * i]);
        by0 = std::min(by0, xy[2 * i + 1]);
        by1 = std::max(by1, xy[2 * i + 1]);
    }
    const float h = width / 2;
    coverFill(
        c, bx0 - h, by0 - h, bx1 + h, by1 + h,
        [&](float px, float py) {
            for (int i = 1; i < points; ++i) {
                if (segmentDistance(px, py, xy[2 * i - 2], xy[2 * i - 1], xy[2 * i], xy[2 * i + 1]) <= h)
                    return true;
            }
            return false;
        },
        [&](int) { return col; });
}

void star(Canvas& c, float cx, float cy, float outer, float inner, Rgb col) {
    float xy[20];
    for (int i = 0; i < 10; ++i) {
        const float angle = -1.5707963f + i * 3.14159265f / 5;
        const float r = (i % 2 == 0) ? outer : inner;
        xy[2 * i] = cx + r * std::cos(angle);
        xy[2 * i + 1] = cy + r * std::sin(angle);
    }
    fillPolygon(c, xy, 10, col);
}

void paste(Canvas& dst, int x, int y, const Canvas& src, int sx0, int sy0, int sx1, int sy1) {
    for (int sy = sy0; sy < sy1; ++sy) {
        for (int sx = sx0; sx < sx1; ++sx) {
            if (!src.inside(sx, sy)) continue;
            const Pixel& p = src.at(sx, sy);
            if (p.flags & KEY) continue;
            const int dx = x + sx - sx0, dy = y + sy - sy0;
            if (dst.inside(dx, dy)) dst.at(dx, dy) = p;
        }
    }
}

}  // namespace art
