// SPDX-License-Identifier: GPL-2.0-or-later
// A device context on the back buffer: text in code page 932, pens, brushes,
// polylines and rounded rectangles. Opened fresh in its default state (black
// text, white opaque background, black 1-pixel pen, white brush).
#pragma once
#include <cstdint>

enum class BkMode { Transparent, Opaque };
enum class Pen { Default, Black3, White3, Red3 };
enum class Brush { Default, Black, Hollow };

struct DrawContext {
    bool open = false;
    uint8_t textIndex = 0;
    uint8_t bkIndex = 0;
    BkMode bkMode = BkMode::Opaque;
    Pen pen = Pen::Default;
    Brush brush = Brush::Default;
    int penX = 0, penY = 0;
};

extern DrawContext drawDC;

// The shared pens and brushes (created at start-up, deleted at shutdown).
constexpr Pen penBlack3 = Pen::Black3;
constexpr Pen penWhite3 = Pen::White3;
constexpr Pen penRed3 = Pen::Red3;
constexpr Brush brushBlack = Brush::Black;
constexpr Brush brushHollow = Brush::Hollow;

void getDC();      // opens drawDC on backBuffer in the default state
void releaseDC();  // closes it; everything set is lost

void setTextColor(uint8_t red, uint8_t green, uint8_t blue);
void setBkColor(uint8_t red, uint8_t green, uint8_t blue);
void setBkMode(BkMode mode);
// Writes `length` bytes of code page 932 text with its top left at (x, y).
void textOut(int x, int y, const char* text, int length);
// The same for a NUL-terminated text.
void textOut(int x, int y, const char* text);

void selectPen(Pen pen);
void selectBrush(Brush brush);
void moveTo(int x, int y);
void lineTo(int x, int y);
void roundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);

// The font for the text drawing: its glyph file is read at start-up, and let
// go at shutdown. Returns false when the file is missing or damaged (text
// then draws nothing).
bool openTextFont();
void closeTextFont();
// Width in pixels of a code page 932 text in the game font.
int textWidth(const char* text, int length);
int textWidth(const char* text);
int textHeight();
