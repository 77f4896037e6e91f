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
constexpr Place PHOTOS[13] = {{0, 0},     {0, 120},   {0, 240},   {0, 360},   {120, 0},
                              {120, 120}, {120, 240}, {120, 360}, {240, 0},   {240, 120},
                              {240, 240}, {240, 360}, {360, 240}};

// Draws one portrait into its own 120 x 120 canvas, so nothing spills over.
Canvas portrait(int index) {
    Canvas c(120, 120, rgb(0, 0, 0));
    const int px = 0, py = 0;
    Noise n(100 + index * 17);
    static const Rgb backs[] = {rgb(120, 170, 220), rgb(200, 180, 140), rgb(150, 200, 160), rgb(210, 150, 160),
                                rgb(170, 160, 210), rgb(220, 200, 120), rgb(130, 190, 200)};
    static const Rgb skins[] = {rgb(250, 215, 185), rgb(235, 190, 155), rgb(215, 165, 125), rgb(245, 205, 170)};
    static const Rgb hairs[] = {rgb(20, 16, 14), rgb(60, 36, 20), rgb(110, 70, 30), rgb(150, 150, 155),
                                rgb(30, 30, 40)};
    static const Rgb suits[] = {rgb(30, 40, 80), rgb(50, 50, 55), rgb(90, 30, 40), rgb(40, 80, 60), rgb(120, 110, 90)};
    const Rgb back = backs[index % 7];
    const Rgb skin = skins[n.range(0, 3)];
    const Rgb hair = hairs[n.range(0, 4)];
    const Rgb suit = suits[n.range(0, 4)];
    const int style = index % 5;
    const bool glasses = n.range(0, 2) == 0;
    const bool longHair = style == 2 || style == 4;

    // White photo border, then a studio background.
    fillRect(c, px, py, px + 120, py + 120, rgb(245, 245, 240));
    vGradient(c, px + 4, py + 4, px + 116, py + 116, shade(back, 125), shade(back, 75));
    const float cx = px + 60.0f + n.range(-4, 4);
    const float headY = py + 50.0f;
    // Long hair falls behind the shoulders.
    if (longHair) fillRoundRect(c, cx - 27, headY - 22, cx + 27, headY + 40, 18, hair);
    // Shoulders and suit.
    fillEllipse(c, cx, py + 124.0f, 50, 36, suit);
    const float shirt[] = {cx - 11, py + 90.0f, cx + 11, py + 90.0f, cx, py + 116.0f};
    fillPolygon(c, shirt, 3, rgb(245, 245, 250));
    if (index % 3 != 2) {
        const float tie[] = {cx - 3, py + 92.0f, cx + 3, py + 92.0f, cx + 5, py + 112.0f, cx, py + 116.0f,
                             cx - 5, py + 112.0f};
        fillPolygon(c, tie, 5, index % 2 ? rgb(190, 30, 40) : rgb(40, 60, 160));
    }
    // Neck and head.
    fillRect(c, static_cast<int>(cx) - 8, static_cast<int>(headY) + 20, static_cast<int>(cx) + 8,
             static_cast<int>(headY) + 36, shade(skin, 88));
    fillEllipse(c, cx, headY, 22, 27, skin);
    fillEllipse(c, cx - 22, headY + 2, 4, 7, shade(skin, 92));
    fillEllipse(c, cx + 22, headY + 2, 4, 7, shade(skin, 92));
    // Hair on top.
    if (style == 1) {
        // Bald with a fringe at the sides.
        fillEllipse(c, cx - 19, headY - 6, 5, 10, hair);
        fillEllipse(c, cx + 19, headY - 6, 5, 10, hair);
    } else {
        const float top[] = {cx - 23, headY - 2, cx - 22, headY - 20, cx - 10, headY - 30, cx + 8, headY - 31,
                             cx + 21, headY - 22, cx + 23, headY - 2, cx + 16, headY - 14, cx - 4, headY - 18,
                             cx - 16, headY - 12};
        fillPolygon(c, top, 9, hair);
        if (style == 3) fillEllipse(c, cx, headY - 30, 9, 6, hair);  // a bun
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
