// SPDX-License-Identifier: GPL-2.0-or-later
// data/over.BMP: the ruined market at night. The scene breaks it into falling
// tiles under the caption sprite at (90, 200).
#include "assets.h"
#include "widgets.h"

namespace art {

Canvas makeGameOverScreen() {
    Canvas c(640, 480);
    vGradient3(c, 0, 0, 640, 480, rgb(20, 0, 8), rgb(70, 10, 20), rgb(10, 0, 4));
    // Storm clouds.
    Noise n(5);
    for (int i = 0; i < 40; ++i) {
        const float x = static_cast<float>(n.range(-40, 680)), y = static_cast<float>(n.range(-10, 110));
        fillEllipse(c, x, y, static_cast<float>(n.range(40, 90)), static_cast<float>(n.range(14, 30)),
                    shade(rgb(60, 30, 40), n.range(50, 110)));
    }
    // Lightning.
    const float bolt[] = {470, 0, 455, 60, 480, 62, 450, 140, 472, 142, 440, 215};
    polyline(c, bolt, 6, 5, rgb(255, 240, 200));
    polyline(c, bolt, 6, 2, rgb(255, 255, 255));
    // Dark city with few lights.
    drawSkyline(c, 0, 640, 430, 60, 170, rgb(30, 16, 24), rgb(120, 90, 60), 31);
    vGradient(c, 0, 430, 640, 480, rgb(24, 8, 14), rgb(4, 0, 2));
    // The crash: a price line plunging across the picture.
    const float chart[] = {0,   110, 60,  90,  110, 120, 160, 100, 230, 170, 290, 150,
                           350, 250, 410, 230, 480, 340, 540, 320, 600, 430, 640, 470};
    polyline(c, chart, 12, 12, rgb(255, 120, 120));
    polyline(c, chart, 12, 6, rgb(220, 20, 30));
    // Falling bills.
    for (int i = 0; i < 26; ++i) {
        const float x = static_cast<float>(n.range(10, 620)), y = static_cast<float>(n.range(20, 460));
        const float a = static_cast<float>(n.range(-6, 6));
        const float xy[] = {x, y, x + 18, y + a, x + 18 + a * 0.3f, y + a + 9, x + a * 0.3f, y + 9};
        fillPolygon(c, xy, 4, rgb(200, 200, 170));
        line(c, x + 3, y + 4 + a * 0.3f, x + 15, y + 4 + a * 0.7f, 1.5f, rgb(120, 130, 100));
    }
    // Rain.
    for (int i = 0; i < 260; ++i) {
        const float x = static_cast<float>(n.range(0, 660)), y = static_cast<float>(n.range(0, 480));
        line(c, x, y, x - 6, y + 16, 1, rgb(150, 120, 140));
    }
    // A newspaper lying in the street.
    const float paper[] = {24, 392, 206, 380, 214, 470, 30, 478};
    fillPolygon(c, paper, 4, rgb(225, 222, 205));
    TextStyle h;
    h.size = 30;
    h.bold = true;
    h.smooth = true;
    drawText(c, 40, 392, u8"株価大暴落", h, rgb(20, 20, 20));
    TextStyle s;
    s.size = 12;
    drawText(c, 40, 430, u8"個人投資家 破産相次ぐ", s, rgb(60, 60, 60));
    for (int i = 0; i < 3; ++i) hLine(c, 40, 200, 450 + 7 * i, rgb(150, 150, 140));
    return c;
}

}  // namespace art
