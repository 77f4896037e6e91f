// SPDX-License-Identifier: GPL-2.0-or-later
// data/gamemain.BMP: the market board. Three columns of ten company rows (names
// at x = 10, 190, 370, prices at x = 157, 337, 517, rows from y = 18 every 40
// pixels), the button column at x = 550 with the unit label at (550, 377), the
// player panel (name at (60, 415), share value at (200, 410), cash at
// (315, 433), date and years left at (510, 410) and (510, 430)) and the news
// band with its yellow ticker at y = 460.
#include "assets.h"
#include "widgets.h"

namespace art {

Canvas makeMarketBoard() {
    namespace k = colours;
    Canvas c(640, 480, k::NAVY);
    vGradient(c, 0, 0, 640, 400, rgb(20, 40, 92), rgb(8, 16, 46));
    // Faint chart grid behind the rows.
    for (int x = 0; x < 546; x += 20) {
        for (int y = 0; y < 400; ++y) blend(c, x, y, rgb(60, 90, 160), 60);
    }
    for (int y = 0; y < 400; y += 20) {
        for (int x = 0; x < 546; ++x) blend(c, x, y, rgb(60, 90, 160), 60);
    }

    // Company rows: a name cell and a price cell (prices are written at x0 + 154).
    const Rgb nameTop = rgb(250, 252, 255), nameBottom = rgb(222, 230, 245);
    const Rgb priceTop = rgb(255, 250, 228), priceBottom = rgb(245, 232, 190);
    for (int col = 0; col < 3; ++col) {
        const float x0 = 3.0f + 180 * col;
        for (int row = 0; row < 10; ++row) {
            const int ty = 18 + 40 * row;
            const float y0 = ty - 6.0f, y1 = ty + 20.0f;
            fillRoundRect(c, x0 + 2, y0 + 2, x0 + 180, y1 + 2, 5, rgb(0, 0, 12));
            fillRoundRect(c, x0, y0, x0 + 178, y1, 5, rgb(90, 110, 150));
            fillRoundRectGradient(c, x0 + 1, y0 + 1, x0 + 177, y1 - 1, 4, priceTop, priceBottom);
            fillRoundRectGradient(c, x0 + 1, y0 + 1, x0 + 150, y1 - 1, 4, nameTop, nameBottom);
            vGradient(c, static_cast<int>(x0) + 140, static_cast<int>(y0) + 1, static_cast<int>(x0) + 146,
                      static_cast<int>(y1) - 1, nameTop, nameBottom);
            vGradient(c, static_cast<int>(x0) + 146, static_cast<int>(y0) + 1, static_cast<int>(x0) + 150,
                      static_cast<int>(y1) - 1, priceTop, priceBottom);
            vLine(c, static_cast<int>(x0) + 146, static_cast<int>(y0) + 1, static_cast<int>(y1) - 1,
                  rgb(150, 160, 185));
        }
    }

    // Button column.
    vGradient(c, 546, 0, 640, 400, rgb(30, 50, 110), rgb(14, 24, 64));
    vLine(c, 546, 0, 400, rgb(250, 205, 70));
    vLine(c, 547, 0, 400, rgb(120, 90, 20));
    TextStyle logo;
    logo.size = 20;
    logo.bold = true;
    logo.smooth = true;
    const int lw = textWidth(u8"カブシム", logo);
    drawTextFancy(c, 593 - lw / 2, 12, u8"カブシム", logo, rgb(255, 245, 170), rgb(230, 140, 10),
                  rgb(50, 20, 0), 1);
    // Wells behind the six buttons.
    for (int i = 0; i < 6; ++i) {
        const int y = 50 + 50 * i;
        fillRoundRect(c, 547.0f, y - 3.0f, 621.0f, y + 41.0f, 6, rgb(6, 10, 32));
    }
    // Unit label plate.
    drawPanel(c, 548, 371, 636, 394, rgb(250, 250, 240), rgb(225, 225, 210), rgb(140, 110, 40), 4);

    // Player panel.
    drawPanel(c, 3, 401, 637, 455, rgb(252, 248, 236), rgb(232, 224, 200), rgb(180, 140, 50), 6);
    vLine(c, 192, 405, 451, rgb(200, 180, 130));
    vLine(c, 466, 405, 451, rgb(200, 180, 130));
    TextStyle caption;
    caption.size = 13;
    caption.bold = true;
    drawText(c, 14, 415, u8"名前", caption, rgb(30, 60, 140));
    hLine(c, 58, 186, 431, rgb(190, 170, 120));
    const int cw = textWidth(u8"所持金", caption);
    drawText(c, 311 - cw, 433, u8"所持金", caption, rgb(30, 60, 140));
    // Calendar icon beside the date.
    fillRoundRect(c, 474.0f, 410.0f, 502.0f, 444.0f, 3, rgb(120, 120, 130));
    fillRoundRect(c, 475.0f, 411.0f, 501.0f, 443.0f, 2, rgb(255, 255, 255));
    fillRect(c, 475, 411, 501, 419, rgb(200, 40, 50));
    fillRect(c, 479, 408, 481, 413, rgb(60, 60, 70));
    fillRect(c, 495, 408, 497, 413, rgb(60, 60, 70));
    for (int gy = 0; gy < 3; ++gy) {
        for (int gx = 0; gx < 4; ++gx)
            fillRect(c, 478 + gx * 6, 423 + gy * 6, 482 + gx * 6, 426 + gy * 6, rgb(150, 160, 180));
    }

    // News band.
    vGradient(c, 0, 456, 640, 480, rgb(10, 10, 20), rgb(0, 0, 0));
    hLine(c, 0, 640, 456, rgb(250, 205, 70));
    hLine(c, 0, 640, 457, rgb(110, 80, 10));
    return c;
}

}  // namespace art
