// The device context on the back buffer: text, pens, brushes and shapes.
#include "shell/draw_context.h"

#include <cstring>

#include "shell/platform.h"
#include "shell/text_glyphs.h"

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
    if (x < 0 || y < 0 || x >= backBuffer.width || y >= backBuffer.height) return;
    backBuffer.pixels[y * backBuffer.pitch + x] = index;
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

bool ready() { return drawDC.open && backBuffer.held && backBuffer.pixels != nullptr; }
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
        fillRect(backBuffer, Rect{x, y, x + textWidth(text, length), y + textHeight()}, drawDC.bkIndex);
    }
    const int height = textHeight();
    int pos = 0;
    int32_t pen64 = 0;
    while (const Glyph* glyph = nextGlyph(text, length, &pos)) {
        const int penX = x + pen64 / 64;
        for (int row = 0; row < height; ++row) {
            uint32_t mask = glyph->rows[row];
            const int py = y + row;
            if (mask == 0 || py < 0 || py >= backBuffer.height) continue;
            uint8_t* line = backBuffer.pixels + py * backBuffer.pitch;
            for (int col = 0; mask != 0; ++col, mask >>= 1) {
                const int px = penX + col;
                if ((mask & 1u) != 0 && px >= 0 && px < backBuffer.width) line[px] = drawDC.textIndex;
            }
        }
        pen64 += glyph->advance64;
    }
}

void moveTo(int x, int y) {
    drawDC.penX = x;
    drawDC.penY = y;
}

// Bresenham line from the current position; like the platform's, the last
// point is not drawn.
void lineTo(int x, int y) {
    if (ready()) {
        const uint8_t index = penIndex(drawDC.pen);
        const int width = penWidth(drawDC.pen);
        int px = drawDC.penX;
        int py = drawDC.penY;
        const int dx = x > px ? x - px : px - x;
        const int dy = y > py ? py - y : y - py;
        const int sx = px < x ? 1 : -1;
        const int sy = py < y ? 1 : -1;
        int error = dx + dy;
        while (px != x || py != y) {
            stamp(px, py, width, index);
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                px += sx;
            }
            if (twice <= dx) {
                error += dx;
                py += sy;
            }
        }
    }
    moveTo(x, y);
}

void roundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    if (!ready() || right <= left || bottom <= top) return;
    const int width = right - left;
    const int height = bottom - top;
    const int rx = (ellipseWidth < width ? ellipseWidth : width) / 2;
    const int ry = (ellipseHeight < height ? ellipseHeight : height) / 2;
    const int pen = penWidth(drawDC.pen);
    const uint8_t penColor = penIndex(drawDC.pen);
    const bool filled = drawDC.brush != Brush::Hollow;
    const uint8_t brushColor =
        drawDC.brush == Brush::Black ? nearestPaletteIndex(0, 0, 0) : nearestPaletteIndex(255, 255, 255);
    const int innerWidth = width - 2 * pen;
    const int innerHeight = height - 2 * pen;
    const int irx = rx - pen;
    const int iry = ry - pen;
    for (int row = 0; row < height; ++row) {
        const int y = top + row;
        if (y < 0 || y >= backBuffer.height) continue;
        const int outer = roundInset(row, height, rx, ry);
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
        for (int x = from; x < to; ++x) {
            if (x < 0 || x >= backBuffer.width) continue;
            const bool inside = x >= innerFrom && x < innerTo;
            if (!inside) {
                backBuffer.pixels[y * backBuffer.pitch + x] = penColor;
            } else if (filled) {
                backBuffer.pixels[y * backBuffer.pitch + x] = brushColor;
            }
        }
    }
}
