// SPDX-License-Identifier: GPL-2.0-or-later
// The device context on the back buffer: text, pens, brushes and shapes.
#include "core/draw_context.h"

#include <cstring>

#include "core/devices.h"
#include "core/text_glyphs.h"

DrawContext drawDC;

namespace {
uint8_t penIndex(Pen pen) {
    switch (pen) {
        case Pen::White3: return nearestPaletteIndex(255, 255, 255);
        case Pen::Red3: return nearestPaletteIndex(255, 0, 0);
        default: return nearestPaletteIndex(0, 0, 0);
    }
}

int penWidth(Pen pen) { return pen == Pen::Default ? 1 : 3; }

void plot(int x, int y, uint8_t index) {
    if (x < 0 || y < 0 || x >= devices.backBuffer.width || y >= devices.backBuffer.height) return;
    devices.backBuffer.pixels[y * devices.backBuffer.pitch + x] = index;
}

// A pen dot centred on (x, y).
void stamp(int x, int y, int width, uint8_t index) {
    const int from = -(width / 2);
    for (int dy = from; dy < from + width; ++dy) {
        for (int dx = from; dx < from + width; ++dx) plot(x + dx, y + dy, index);
    }
}

int isqrt(int64_t value) {
    if (value <= 0) return 0;
    int64_t root = 0;
    int64_t bit = int64_t{1} << 40;
    while (bit > value) bit >>= 2;
    while (bit != 0) {
        if (value >= root + bit) {
            value -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
        bit >>= 2;
    }
    return static_cast<int>(root);
}

// Horizontal inset of a rounded rectangle's edge on row y (0 = top row).
int roundInset(int y, int height, int rx, int ry) {
    if (rx <= 0 || ry <= 0) return 0;
    int dy;
    if (y < ry) {
        dy = ry - y;
    } else if (y >= height - ry) {
        dy = y - (height - ry - 1);
    } else {
        return 0;
    }
    const int64_t span = int64_t{rx} * rx - int64_t{rx} * rx * dy * dy / (int64_t{ry} * ry);
    return rx - isqrt(span);
}

bool ready() { return drawDC.open && devices.backBuffer.held && devices.backBuffer.pixels != nullptr; }

// Minor-axis offset of pixel `step` along the major axis of a line that runs
// `major` by `minor` pixels: the row (or column) Bresenham's walk reaches
// there, rounding halves toward the start.
int64_t minorAt(int64_t step, int64_t major, int64_t minor) {
    const __int128 twice = static_cast<__int128>(2) * minor * step + major - 1;
    return static_cast<int64_t>(twice / (2 * static_cast<__int128>(major)));
}

// Steps 0 .. major-1 of the line whose pen dots can touch the surface: the
// walk is worked out for those steps only, so a line that runs far off the
// surface costs no more than one that ends on it.
bool visibleSteps(int64_t start, int64_t direction, int64_t size, int64_t margin, int64_t major,
                  int64_t& first, int64_t& last) {
    // start + direction * step within -margin .. size - 1 + margin
    const int64_t low = -margin - start;
    const int64_t high = size - 1 + margin - start;
    int64_t from = direction > 0 ? low : -high;
    int64_t to = direction > 0 ? high : -low;
    if (from < first) from = first;
    if (to > last) to = last;
    if (to > major - 1) to = major - 1;
    first = from;
    last = to;
    return first <= last;
}

// The same for the minor axis, which moves monotonically with the step.
bool visibleMinorSteps(int64_t start, int64_t direction, int64_t size, int64_t margin, int64_t major,
                       int64_t minor, int64_t& first, int64_t& last) {
    const int64_t low = direction > 0 ? -margin - start : start - (size - 1 + margin);
    const int64_t high = direction > 0 ? size - 1 + margin - start : start + margin;
    // First step whose offset reaches `low`, last whose offset stays within `high`.
    int64_t a = first, b = last + 1;
    while (a < b) {
        const int64_t mid = a + (b - a) / 2;
        if (minorAt(mid, major, minor) >= low) b = mid; else a = mid + 1;
    }
    int64_t c = a - 1, d = last;
    while (c < d) {
        const int64_t mid = d - (d - c) / 2;
        if (minorAt(mid, major, minor) <= high) c = mid; else d = mid - 1;
    }
    first = a;
    last = c;
    return first <= last;
}

// A line from the current position drawn as Bresenham's walk draws it; like
// the platform's, the last point is not drawn.
void drawLine(int x0, int y0, int x1, int y1) {
    const uint8_t index = penIndex(drawDC.pen);
    const int width = penWidth(drawDC.pen);
    const int64_t dx = int64_t{x1} - x0;
    const int64_t dy = int64_t{y1} - y0;
    const int64_t ax = dx < 0 ? -dx : dx;
    const int64_t ay = dy < 0 ? -dy : dy;
    const int64_t sx = dx < 0 ? -1 : 1;
    const int64_t sy = dy < 0 ? -1 : 1;
    const bool xMajor = ax >= ay;
    const int64_t major = xMajor ? ax : ay;
    const int64_t minor = xMajor ? ay : ax;
    if (major == 0) return;
    const int64_t margin = width / 2;
    int64_t first = 0;
    int64_t last = major - 1;
    const bool visible =
        xMajor ? visibleSteps(x0, sx, devices.backBuffer.width, margin, major, first, last) &&
                     visibleMinorSteps(y0, sy, devices.backBuffer.height, margin, major, minor, first, last)
               : visibleSteps(y0, sy, devices.backBuffer.height, margin, major, first, last) &&
                     visibleMinorSteps(x0, sx, devices.backBuffer.width, margin, major, minor, first, last);
    if (!visible) return;
    for (int64_t step = first; step <= last; ++step) {
        const int64_t across = minorAt(step, major, minor);
        const int64_t px = x0 + sx * (xMajor ? step : across);
        const int64_t py = y0 + sy * (xMajor ? across : step);
        stamp(static_cast<int>(px), static_cast<int>(py), width, index);
    }
}
}  // namespace

void getDC() {
    drawDC = DrawContext{};
    drawDC.open = true;
    drawDC.textIndex = nearestPaletteIndex(0, 0, 0);
    drawDC.bkIndex = nearestPaletteIndex(255, 255, 255);
}

void releaseDC() { drawDC = DrawContext{}; }

void setTextColor(uint8_t red, uint8_t green, uint8_t blue) { drawDC.textIndex = nearestPaletteIndex(red, green, blue); }
void setBkColor(uint8_t red, uint8_t green, uint8_t blue) { drawDC.bkIndex = nearestPaletteIndex(red, green, blue); }
void setBkMode(BkMode mode) { drawDC.bkMode = mode; }
void selectPen(Pen pen) { drawDC.pen = pen; }
void selectBrush(Brush brush) { drawDC.brush = brush; }

void textOut(int x, int y, const char* text) { textOut(x, y, text, static_cast<int>(std::strlen(text))); }

void textOut(int x, int y, const char* text, int length) {
    if (!ready() || text == nullptr || length <= 0) return;
    if (drawDC.bkMode == BkMode::Opaque) {
        fillRect(devices.backBuffer, Rect{x, y, x + textWidth(text, length), y + textHeight()},
                 drawDC.bkIndex);
    }
    const int height = textHeight();
    int pos = 0;
    int32_t pen64 = 0;
    while (const Glyph* glyph = nextGlyph(text, length, &pos)) {
        const int penX = x + pen64 / 64;
        for (int row = 0; row < height; ++row) {
            uint32_t mask = glyph->rows[row];
            const int py = y + row;
            if (mask == 0 || py < 0 || py >= devices.backBuffer.height) continue;
            uint8_t* line = devices.backBuffer.pixels + py * devices.backBuffer.pitch;
            for (int col = 0; mask != 0; ++col, mask >>= 1) {
                const int px = penX + col;
                if ((mask & 1u) != 0 && px >= 0 && px < devices.backBuffer.width) line[px] = drawDC.textIndex;
            }
        }
        pen64 += glyph->advance64;
    }
}

void moveTo(int x, int y) {
    drawDC.penX = x;
    drawDC.penY = y;
}

void lineTo(int x, int y) {
    if (ready()) drawLine(drawDC.penX, drawDC.penY, x, y);
    moveTo(x, y);
}

void roundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    if (!ready() || right <= left || bottom <= top) return;
    // Corners far outside the surface come in as they are: sizes are worked
    // out wide, and only the rows and columns on the surface are visited.
    const int64_t width = int64_t{right} - left;
    const int64_t height = int64_t{bottom} - top;
    if (width > INT32_MAX / 2 || height > INT32_MAX / 2) return;
    const int rx = static_cast<int>((ellipseWidth < width ? ellipseWidth : width) / 2);
    const int ry = static_cast<int>((ellipseHeight < height ? ellipseHeight : height) / 2);
    const int pen = penWidth(drawDC.pen);
    const uint8_t penColor = penIndex(drawDC.pen);
    const bool filled = drawDC.brush != Brush::Hollow;
    const uint8_t brushColor =
        drawDC.brush == Brush::Black ? nearestPaletteIndex(0, 0, 0) : nearestPaletteIndex(255, 255, 255);
    const int h = static_cast<int>(height);
    const int innerWidth = static_cast<int>(width) - 2 * pen;
    const int innerHeight = h - 2 * pen;
    const int irx = rx - pen;
    const int iry = ry - pen;
    // Rows on the surface only: row r lies at y = top + r.
    const int64_t firstRow = top < 0 ? -int64_t{top} : 0;
    const int64_t rowsAbove = int64_t{devices.backBuffer.height} - top;
    const int64_t lastRow = rowsAbove < h ? rowsAbove : h;  // exclusive
    for (int row = static_cast<int>(firstRow < h ? firstRow : h); row < lastRow; ++row) {
        const int y = top + row;
        const int outer = roundInset(row, h, rx, ry);
        const int from = left + outer;
        const int to = right - outer;  // exclusive
        int innerFrom = to;
        int innerTo = to;
        const int innerRow = row - pen;
        if (innerRow >= 0 && innerRow < innerHeight && innerWidth > 0) {
            const int inset = roundInset(innerRow, innerHeight, irx, iry);
            innerFrom = left + pen + inset;
            innerTo = right - pen - inset;
        }
        const int firstX = from < 0 ? 0 : from;
        const int lastX = to > devices.backBuffer.width ? devices.backBuffer.width : to;
        for (int x = firstX; x < lastX; ++x) {
            const bool inside = x >= innerFrom && x < innerTo;
            if (!inside) {
                devices.backBuffer.pixels[y * devices.backBuffer.pitch + x] = penColor;
            } else if (filled) {
                devices.backBuffer.pixels[y * devices.backBuffer.pitch + x] = brushColor;
            }
        }
    }
}
