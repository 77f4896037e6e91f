// SPDX-License-Identifier: GPL-2.0-or-later
// Shared pieces of the artwork: buttons, panels, icons and the scenes' colours.
#pragma once
#include "art.h"

namespace art {

// Colours of the game's look.
namespace colours {
constexpr Rgb NAVY = rgb(16, 28, 70);
constexpr Rgb DEEP = rgb(8, 14, 40);
constexpr Rgb GOLD = rgb(250, 205, 70);
constexpr Rgb GOLD_DARK = rgb(140, 90, 10);
constexpr Rgb PAPER = rgb(250, 246, 232);
constexpr Rgb INK = rgb(30, 30, 40);
constexpr Rgb CAPTION = rgb(150, 215, 255);  // captions on the dark trading screens
constexpr Rgb BUTTON_GREEN = rgb(40, 150, 70);
constexpr Rgb BUTTON_BLUE = rgb(40, 95, 190);
constexpr Rgb BUTTON_ORANGE = rgb(215, 115, 25);
constexpr Rgb BUTTON_TEAL = rgb(20, 130, 145);
constexpr Rgb BUTTON_PURPLE = rgb(120, 65, 175);
constexpr Rgb BUTTON_RED = rgb(190, 40, 50);
constexpr Rgb BUTTON_GREY = rgb(95, 105, 125);
}  // namespace colours

enum class ButtonState { Normal, Pressed, Disabled };
enum class ButtonIcon { None, Left, Right, Plus, Minus, Forward };

// A button filling the box (x, y, w, h): body of (w - 1) x (h - 1) with a one-pixel
// shadow right and below; pressed moves the body onto the shadow and darkens it.
void drawButton(Canvas& c, int x, int y, int w, int h, const char8_t* label, Rgb base, ButtonState state,
                ButtonIcon icon = ButtonIcon::None, int textSize = 14);

// A rounded panel with a border, for captions and frames on backgrounds.
void drawPanel(Canvas& c, int x0, int y0, int x1, int y1, Rgb fillTop, Rgb fillBottom, Rgb border,
               float radius = 6);

// Little pictures.
void drawCoin(Canvas& c, float cx, float cy, float r);
void drawCrown(Canvas& c, float cx, float cy, float size);
void drawRisingArrow(Canvas& c, float x0, float y0, float x1, float y1, float width, Rgb col);
// A row of office buildings along a baseline, windows lit at random.
void drawSkyline(Canvas& c, int x0, int x1, int baseY, int minH, int maxH, Rgb body, Rgb lit, uint32_t seed);

}  // namespace art
