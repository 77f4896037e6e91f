// SPDX-License-Identifier: GPL-2.0-or-later
// data/syasin.BMP (500 x 500): thirteen 120 x 120 portrait photographs of the
// staff roll, in three columns of four (x = 0, 120, 240) and one more at
// (360, 240). The rest of the sheet is black.
#include "assets.h"
#include "widgets.h"

namespace art {
namespace {

struct Place {
    int x, y;
};
constexpr Place PHOTOS[13] = {{0, 0},     {0, 120},   {0, 240},   {0, 360}, {120, 0},
                              {120, 120}, {120, 240}, {120, 360}, {240, 0}, {240, 120},
                              {240, 240}, {240, 360}, {360, 240}};

// Draws one portrait into its own 120 x 120 canvas, so nothing spills over.
Canvas portrait(int index) {
    Canvas c(120, 120, rgb(0, 0, 0));
    const int px = 0, py = 0;
    // Who is in each photograph, in the order of the staff roll's captions.
    enum Hair { SHORT, BALD, LONG, BUN, BOB };
    struct Sitter {
        bool woman;
        Hair hair;
        int hairColour, skin, suit, back;
        bool glasses, tie;
    };
    static const Sitter sitters[13] = {
        {false, SHORT, 3, 0, 0, 0, true, true},    // producer
        {true, LONG, 1, 3, 2, 3, false, false},    // director
        {false, BALD, 1, 1, 1, 1, true, true},     // game design
        {false, SHORT, 0, 2, 0, 2, false, true},   // main program
        {true, BUN, 2, 0, 4, 4, true, false},      // program
        {true, LONG, 0, 3, 1, 5, false, false},    // graphics
        {true, BOB, 1, 1, 3, 6, false, false},     // background art
        {true, BUN, 4, 0, 2, 0, false, false},     // sound
        {false, SHORT, 2, 2, 4, 1, false, false},  // scenario
        {false, BALD, 3, 1, 0, 2, false, true},    // company data
        {false, SHORT, 4, 3, 3, 3, false, true},   // test play
        {false, SHORT, 1, 0, 1, 4, true, false},   // photography
        {false, SHORT, 3, 2, 0, 5, true, true},    // tools
    };
    const Sitter& who = sitters[index];
    static const Rgb backs[] = {rgb(120, 170, 220), rgb(200, 180, 140), rgb(150, 200, 160),
                                rgb(210, 150, 160), rgb(170, 160, 210), rgb(220, 200, 120),
                                rgb(130, 190, 200)};
    static const Rgb skins[] = {rgb(250, 215, 185), rgb(235, 190, 155), rgb(215, 165, 125),
                                rgb(245, 205, 170)};
    static const Rgb hairs[] = {rgb(20, 16, 14), rgb(60, 36, 20), rgb(110, 70, 30), rgb(150, 150, 155),
                                rgb(30, 30, 40)};
    static const Rgb suits[] = {rgb(30, 40, 80), rgb(50, 50, 55), rgb(90, 30, 40), rgb(40, 80, 60),
                                rgb(120, 110, 90)};
    const Rgb back = backs[who.back];
    const Rgb skin = skins[who.skin];
    const Rgb hair = hairs[who.hairColour];
    const Rgb suit = suits[who.suit];
    const Hair style = who.hair;
    const bool glasses = who.glasses;
    const bool longHair = style == LONG || style == BOB;

    // White photo border, then a studio background.
    fillRect(c, px, py, px + 120, py + 120, rgb(245, 245, 240));
    vGradient(c, px + 4, py + 4, px + 116, py + 116, shade(back, 125), shade(back, 75));
    const float cx = px + 60.0f + (index % 3) * 2 - 2;
    const float headY = py + 50.0f;
    // Long hair falls behind the shoulders.
    if (longHair) fillRoundRect(c, cx - 27, headY - 22, cx + 27, headY + (style == LONG ? 44 : 22), 16, hair);
    // Shoulders and suit.
    fillEllipse(c, cx, py + 124.0f, 50, 36, suit);
    const float shirt[] = {cx - 11, py + 90.0f, cx + 11, py + 90.0f, cx, py + 116.0f};
    fillPolygon(c, shirt, 3, rgb(245, 245, 250));
    if (who.woman) {
        // A blouse with a small ribbon.
        const float left[] = {cx - 4, py + 94.0f, cx - 12, py + 90.0f, cx - 12, py + 98.0f};
        const float right[] = {cx + 4, py + 94.0f, cx + 12, py + 90.0f, cx + 12, py + 98.0f};
        fillPolygon(c, left, 3, rgb(200, 60, 90));
        fillPolygon(c, right, 3, rgb(200, 60, 90));
        fillEllipse(c, cx, py + 94.0f, 3, 3, rgb(170, 40, 70));
    } else if (who.tie) {
        const float tie[] = {cx - 3,      py + 92.0f, cx + 3,      py + 92.0f, cx + 5,
                             py + 112.0f, cx,         py + 116.0f, cx - 5,     py + 112.0f};
        fillPolygon(c, tie, 5, index % 2 ? rgb(190, 30, 40) : rgb(40, 60, 160));
    }
    // Neck and head.
    fillRect(c, static_cast<int>(cx) - 8, static_cast<int>(headY) + 20, static_cast<int>(cx) + 8,
             static_cast<int>(headY) + 36, shade(skin, 88));
    fillEllipse(c, cx, headY, 22, 27, skin);
    fillEllipse(c, cx - 22, headY + 2, 4, 7, shade(skin, 92));
    fillEllipse(c, cx + 22, headY + 2, 4, 7, shade(skin, 92));
    // Hair on top.
    if (style == BALD) {
        // Bald with a fringe at the sides.
        fillEllipse(c, cx - 19, headY - 6, 5, 10, hair);
        fillEllipse(c, cx + 19, headY - 6, 5, 10, hair);
    } else {
        const float top[] = {cx - 23, headY - 2,  cx - 22, headY - 20, cx - 10, headY - 30,
                             cx + 8,  headY - 31, cx + 21, headY - 22, cx + 23, headY - 2,
                             cx + 16, headY - 14, cx - 4,  headY - 18, cx - 16, headY - 12};
        fillPolygon(c, top, 9, hair);
        if (style == BUN) fillEllipse(c, cx, headY - 30, 10, 8, hair);
    }
    // Face.
    const Rgb eye = rgb(30, 25, 25);
    fillEllipse(c, cx - 8, headY + 2, 2.6f, 3, eye);
    fillEllipse(c, cx + 8, headY + 2, 2.6f, 3, eye);
    line(c, cx - 12, headY - 6, cx - 4, headY - 7, 2, shade(hair, 90));
    line(c, cx + 4, headY - 7, cx + 12, headY - 6, 2, shade(hair, 90));
    line(c, cx, headY + 4, cx - 2, headY + 11, 1.5f, shade(skin, 75));
    const float smile[] = {cx - 7, headY + 15, cx - 3, headY + 18, cx + 3, headY + 18, cx + 7, headY + 15};
    polyline(c, smile, 4, 2, rgb(170, 70, 70));
    if (glasses) {
        strokeEllipse(c, cx - 8, headY + 2, 7, 6, 1.5f, rgb(40, 40, 50));
        strokeEllipse(c, cx + 8, headY + 2, 7, 6, 1.5f, rgb(40, 40, 50));
        line(c, cx - 1, headY + 1, cx + 1, headY + 1, 1.5f, rgb(40, 40, 50));
    }
    fillEllipse(c, cx - 12, headY + 10, 4, 2.5f, mix(skin, rgb(255, 140, 140), 80));
    fillEllipse(c, cx + 12, headY + 10, 4, 2.5f, mix(skin, rgb(255, 140, 140), 80));
    // A soft vignette inside the border.
    frameRect(c, px + 4, py + 4, px + 116, py + 116, shade(back, 60), 1);
    return c;
}

}  // namespace

Canvas makePhotoSheet() {
    Canvas c(500, 500, rgb(0, 0, 0));
    for (int i = 0; i < 13; ++i) {
        const Canvas photo = portrait(i);
        paste(c, PHOTOS[i].x, PHOTOS[i].y, photo, 0, 0, 120, 120);
    }
    return c;
}

}  // namespace art
