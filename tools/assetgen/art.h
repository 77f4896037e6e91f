// SPDX-License-Identifier: GPL-2.0-or-later
// Drawing kit of the asset generator: a true-colour canvas with anti-aliased
// shapes, gradients and text, quantised at the end into the shared 256-colour
// palette of all game bitmaps.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace art {

struct Rgb {
    uint8_t r, g, b;
};

constexpr Rgb rgb(int r, int g, int b) {
    return Rgb{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}
Rgb mix(Rgb a, Rgb b, int t256);  // t256 = 0 gives a, 256 gives b
Rgb shade(Rgb c, int percent);    // percent > 100 lightens toward white, < 100 darkens

// Palette indexes with a fixed meaning.
constexpr int INDEX_BLACK = 0;
constexpr int INDEX_KEY = 254;
constexpr int INDEX_WHITE = 255;

// The shared palette (256 entries), built once.
const Rgb* palette();
// Nearest palette entry to a colour, never the colour key.
uint8_t nearestIndex(Rgb c);

// A pixel of the canvas: colour plus flags.
struct Pixel {
    Rgb c;
    uint8_t flags;  // KEY: transparent, DITHER: quantise with ordered dither
};
constexpr uint8_t KEY = 1;
constexpr uint8_t DITHER = 2;

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;

    Canvas(int w, int h, Rgb fill);
    Canvas(int w, int h);  // all colour key
    Pixel& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Pixel& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    // Quantised index image, rows top-down.
    std::vector<uint8_t> indexes() const;
};

// --- shapes (coordinates in pixels, right/bottom exclusive for rectangles) ---
void put(Canvas& c, int x, int y, Rgb col);
// Blends a colour with coverage 0..256. Over a transparent pixel the colour is
// taken only at half coverage or more, so sprite edges stay hard.
void blend(Canvas& c, int x, int y, Rgb col, int cover);
void fillRect(Canvas& c, int x0, int y0, int x1, int y1, Rgb col);
void clearRect(Canvas& c, int x0, int y0, int x1, int y1);  // back to colour key
void frameRect(Canvas& c, int x0, int y0, int x1, int y1, Rgb col, int thickness = 1);
void hLine(Canvas& c, int x0, int x1, int y, Rgb col);
void vLine(Canvas& c, int x, int y0, int y1, Rgb col);
// Gradients, dithered.
void vGradient(Canvas& c, int x0, int y0, int x1, int y1, Rgb top, Rgb bottom);
void hGradient(Canvas& c, int x0, int y0, int x1, int y1, Rgb left, Rgb right);
// A vertical gradient with a third colour in the middle.
void vGradient3(Canvas& c, int x0, int y0, int x1, int y1, Rgb top, Rgb mid, Rgb bottom);

// Anti-aliased shapes (4 x 4 samples per pixel). Coordinates are floats in pixel
// units where (0, 0) is the top-left corner of the top-left pixel.
void fillRoundRect(Canvas& c, float x0, float y0, float x1, float y1, float radius, Rgb col);
void fillRoundRectGradient(Canvas& c, float x0, float y0, float x1, float y1, float radius, Rgb top,
                           Rgb bottom);
void strokeRoundRect(Canvas& c, float x0, float y0, float x1, float y1, float radius, float width, Rgb col);
void fillEllipse(Canvas& c, float cx, float cy, float rx, float ry, Rgb col);
void strokeEllipse(Canvas& c, float cx, float cy, float rx, float ry, float width, Rgb col);
void fillPolygon(Canvas& c, const float* xy, int points, Rgb col);
void line(Canvas& c, float x0, float y0, float x1, float y1, float width, Rgb col);
void polyline(Canvas& c, const float* xy, int points, float width, Rgb col);
void star(Canvas& c, float cx, float cy, float outer, float inner, Rgb col);

// Copies a canvas region onto another (transparent source pixels skipped).
void paste(Canvas& dst, int x, int y, const Canvas& src, int sx0, int sy0, int sx1, int sy1);

// --- text ---
// Styles: pixel size, bold, anti-aliased or crisp (the game's own 13-pixel look
// is crisp, without anti-aliasing).
struct TextStyle {
    int size = 13;
    bool bold = false;
    bool smooth = false;
    bool mincho = false;
};
bool openFonts();
void closeFonts();
// Text is UTF-8 (write literals as u8"..." so they stay UTF-8 whatever the
// execution character set). Returns the width drawn.
int textWidth(const char8_t* text, TextStyle style);
int textHeight(TextStyle style);
int drawText(Canvas& c, int x, int y, const char8_t* text, TextStyle style, Rgb col);
// Text with a surrounding outline of `outline` pixels.
int drawTextOutlined(Canvas& c, int x, int y, const char8_t* text, TextStyle style, Rgb col, Rgb edge,
                     int outline = 1);
// Text with a drop shadow offset (dx, dy).
int drawTextShadow(Canvas& c, int x, int y, const char8_t* text, TextStyle style, Rgb col, Rgb shadowCol,
                   int dx = 1, int dy = 1);
// Vertical gradient text with an outline, for titles and logos.
int drawTextFancy(Canvas& c, int x, int y, const char8_t* text, TextStyle style, Rgb top, Rgb bottom,
                  Rgb edge, int outline);
// Centred in the box x0..x1 (and y0..y1 when y1 > y0).
void drawTextCentered(Canvas& c, int x0, int y0, int x1, int y1, const char8_t* text, TextStyle style,
                      Rgb col);

// A deterministic pseudo-random generator for textures.
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed * 2654435761u + 12345u) {}
    uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    int range(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<uint32_t>(hi - lo + 1)); }
};

}  // namespace art
