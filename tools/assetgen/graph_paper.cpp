// SPDX-License-Identifier: GPL-2.0-or-later
// data/grfback.BMP: graph paper for the price line. The line starts at
// (50, 335) at the first recorded price, steps 40 pixels right per sample (the
// last vertex at x = 570) and 20 pixels per yen; the buttons sit at x = 571.
#include <cstdio>

#include "assets.h"
#include "widgets.h"

namespace art {

Canvas makeGraphPaper() {
    Canvas c(640, 480, rgb(252, 252, 246));
    const Rgb minor = rgb(222, 232, 248), major = rgb(170, 195, 235), axis = rgb(40, 70, 150);
    // One yen a line, 20 pixels apart, aligned on the start level y = 335.
    for (int y = 335 % 20; y < 480; y += 20) hLine(c, 0, 566, y, (y - 335) % 100 == 0 ? major : minor);
    // One sample a line, 40 pixels apart from x = 50.
    for (int x = 50; x <= 570; x += 40) vLine(c, x, 0, 480, major);
    for (int x = 70; x < 570; x += 40) vLine(c, x, 0, 480, minor);
    // Start level and the vertical axis.
    hLine(c, 0, 566, 334, axis);
    hLine(c, 0, 566, 335, axis);
    vLine(c, 50, 0, 480, axis);
    // Yen labels every five lines.
    TextStyle s;
    s.size = 12;
    for (int k = -5; k <= 15; k += 5) {
        if (k == 0) continue;
        char label[16];
        std::snprintf(label, sizeof label, "%+d", k);
        char8_t text[24];
        int i = 0;
        for (; label[i] != 0; ++i) text[i] = static_cast<char8_t>(label[i]);
        text[i] = 0;
        const int y = 335 - 20 * k;
        const int w = textWidth(text, s);
        fillRect(c, 44 - w, y - 7, 48, y + 7, rgb(252, 252, 246));
        drawText(c, 46 - w, y - 6, text, s, axis);
    }
    // Scale note along the bottom.
    TextStyle note;
    note.size = 12;
    fillRect(c, 370, 462, 566, 478, rgb(252, 252, 246));
    drawText(c, 374, 464, u8"横1目盛り＝1日　縦1目盛り＝1円", note, rgb(90, 100, 130));
    // Heading at the top middle (the company name is written at (4, 5)).
    TextStyle h;
    h.size = 16;
    h.bold = true;
    h.smooth = true;
    fillRect(c, 300, 2, 470, 24, rgb(252, 252, 246));
    drawText(c, 320, 5, u8"株価の動き", h, axis);
    // Button panel.
    vGradient(c, 566, 0, 640, 480, rgb(24, 40, 96), rgb(8, 14, 44));
    vLine(c, 566, 0, 480, rgb(250, 205, 70));
    TextStyle m;
    m.size = 14;
    m.bold = true;
    m.smooth = true;
    drawTextCentered(c, 568, 30, 640, 0, u8"グラフ", m, rgb(255, 230, 140));
    for (int i = 0; i < 4; ++i) {
        const int y = 100 + 100 * i;
        fillRoundRect(c, 568.0f, y - 3.0f, 640.0f, y + 41.0f, 6, rgb(4, 6, 24));
    }
    return c;
}

}  // namespace art
