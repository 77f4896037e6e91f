// SPDX-License-Identifier: GPL-2.0-or-later
// data/title.BMP and data/ranking.BMP.
#include "assets.h"
#include "sheet_layout.h"
#include "widgets.h"

namespace art {
namespace {

// A square-cornered button whose two-pixel frame lies exactly on the inclusive
// hit area, so the picture shows where a click counts.
void areaButton(Canvas& c, const sheet::Area& a, const char8_t* label, const char8_t* english) {
    const int x0 = a.left, y0 = a.top, x1 = a.right + 1, y1 = a.bottom + 1;
    fillRect(c, x0 + 3, y0 + 3, x1 + 3, y1 + 3, rgb(0, 0, 10));
    frameRect(c, x0, y0, x1, y1, colours::GOLD, 2);
    vGradient(c, x0 + 2, y0 + 2, x1 - 2, y1 - 2, rgb(60, 100, 200), rgb(16, 34, 96));
    vGradient(c, x0 + 2, y0 + 2, x1 - 2, (y0 + y1) / 2, rgb(110, 150, 240), rgb(60, 100, 200));
    hLine(c, x0 + 2, x1 - 2, y1 - 3, rgb(8, 16, 50));
    TextStyle s;
    s.size = 20;
    s.bold = true;
    s.smooth = true;
    const int lw = textWidth(label, s);
    TextStyle e;
    e.size = 10;
    e.bold = true;
    e.smooth = true;
    const int ew = textWidth(english, e);
    const int h = y1 - y0;
    const int ly = y0 + (h - textHeight(s) - textHeight(e)) / 2;
    drawTextShadow(c, (x0 + x1 - lw) / 2, ly, label, s, rgb(255, 255, 255), rgb(0, 0, 30), 2, 2);
    drawText(c, (x0 + x1 - ew) / 2, ly + textHeight(s), english, e, rgb(255, 225, 120));
}

}  // namespace

Canvas makeTitleScreen() {
    Canvas c(640, 480);
    // Dusk sky over the city.
    vGradient3(c, 0, 0, 640, 420, rgb(10, 14, 50), rgb(70, 40, 110), rgb(250, 140, 70));
    Noise n(3);
    for (int i = 0; i < 90; ++i) {
        const int x = n.range(0, 639), y = n.range(0, 150);
        put(c, x, y, n.range(0, 2) == 0 ? rgb(255, 255, 200) : rgb(180, 190, 255));
    }
    fillEllipse(c, 520, 330, 46, 46, rgb(255, 200, 110));
    fillEllipse(c, 520, 330, 40, 40, rgb(255, 225, 150));
    drawSkyline(c, 0, 640, 400, 40, 120, rgb(40, 30, 70), rgb(255, 220, 120), 21);
    drawSkyline(c, -10, 640, 420, 20, 70, rgb(22, 16, 40), rgb(255, 200, 100), 22);
    vGradient(c, 0, 420, 640, 480, rgb(18, 12, 34), rgb(4, 2, 10));
    // The market's rising line across the sky.
    const float chart[] = {0,   300, 70,  270, 130, 285, 200, 230, 260, 245,
                           330, 190, 400, 205, 470, 150, 540, 160, 610, 95};
    polyline(c, chart, 10, 9, rgb(120, 255, 160));
    polyline(c, chart, 10, 4, rgb(20, 160, 70));
    drawRisingArrow(c, 610, 95, 634, 70, 6, rgb(20, 160, 70));
    // Logo.
    TextStyle big;
    big.size = 84;
    big.bold = true;
    big.smooth = true;
    const int lw = textWidth(u8"カブシム", big);
    drawTextFancy(c, 320 - lw / 2, 54, u8"カブシム", big, rgb(255, 250, 190), rgb(235, 140, 10),
                  rgb(50, 20, 0), 4);
    TextStyle sub;
    sub.size = 22;
    sub.bold = true;
    sub.smooth = true;
    const int sw = textWidth(u8"株式売買シミュレーション", sub);
    drawTextOutlined(c, 320 - sw / 2, 158, u8"株式売買シミュレーション", sub, rgb(255, 255, 255),
                     rgb(20, 10, 50), 2);
    TextStyle latin;
    latin.size = 16;
    latin.bold = true;
    latin.smooth = true;
    const int ew = textWidth(u8"K A B U S I M", latin);
    drawTextOutlined(c, 320 - ew / 2, 34, u8"K A B U S I M", latin, rgb(200, 225, 255), rgb(10, 10, 40), 1);
    // The start and ranking areas.
    areaButton(c, sheet::TITLE_START, u8"スタート", u8"START");
    areaButton(c, sheet::TITLE_RANKING, u8"ランキング", u8"RANKING");
    return c;
}

Canvas makeRankingScreen() {
    Canvas c(640, 480);
    vGradient3(c, 0, 0, 640, 480, rgb(30, 12, 60), rgb(14, 20, 70), rgb(4, 6, 24));
    // Rays from the top.
    for (int i = 0; i < 14; ++i) {
        const float x = 40.0f + i * 45.0f;
        const float xy[] = {330, -20, x - 8, 480, x + 8, 480};
        fillPolygon(c, xy, 3, rgb(26, 26, 80));
    }
    // Heading right of the back button place (10, 10, 155, 47).
    TextStyle h;
    h.size = 40;
    h.bold = true;
    h.smooth = true;
    const int hw = textWidth(u8"ランキング", h);
    drawTextFancy(c, 390 - hw / 2, 22, u8"ランキング", h, rgb(255, 250, 190), rgb(235, 150, 20),
                  rgb(40, 10, 0), 3);
    drawCrown(c, 390 - hw / 2 - 30.0f, 42, 30);
    drawCrown(c, 390 + hw / 2 + 30.0f, 42, 30);
    fillRoundRect(c, 6.0f, 6.0f, 160.0f, 51.0f, 8, rgb(4, 4, 20));
    // Column headings.
    TextStyle cap;
    cap.size = 13;
    cap.bold = true;
    const Rgb capCol = rgb(255, 220, 120);
    drawText(c, 100, 116, u8"順位", cap, capCol);
    drawText(c, 170, 116, u8"名前", cap, capCol);
    drawText(c, 250, 116, u8"持ち株価値(円)", cap, capCol);
    drawText(c, 370, 116, u8"所持金(円)", cap, capCol);
    drawText(c, 510, 116, u8"称号", cap, capCol);
    hLine(c, 90, 620, 133, rgb(250, 205, 70));
    // Five rows: texts at y = 150 + 70 (r - 1), icons at (460, 140 + 70 (r - 1)).
    static const Rgb medals[5] = {rgb(245, 200, 50), rgb(200, 205, 220), rgb(205, 130, 70), rgb(90, 110, 160),
                                  rgb(90, 110, 160)};
    static const char8_t* const places[5] = {u8"1位", u8"2位", u8"3位", u8"4位", u8"5位"};
    for (int r = 0; r < 5; ++r) {
        const float y0 = 137.0f + 70 * r, y1 = y0 + 42;
        drawPanel(c, 90, static_cast<int>(y0), 620, static_cast<int>(y1), rgb(40, 50, 110), rgb(20, 26, 66),
                  shade(medals[r], 80), 8);
        fillEllipse(c, 118, y0 + 21, 17, 17, shade(medals[r], 45));
        fillEllipse(c, 118, y0 + 21, 15, 15, medals[r]);
        fillEllipse(c, 114, y0 + 16, 6, 4, shade(medals[r], 150));
        TextStyle m;
        m.size = 15;
        m.bold = true;
        m.smooth = true;
        drawTextCentered(c, 101, static_cast<int>(y0) + 4, 135, static_cast<int>(y1) - 4, places[r], m,
                         r < 3 ? rgb(60, 30, 0) : rgb(255, 255, 255));
        // Faint dividers between the columns.
        vLine(c, 244, static_cast<int>(y0) + 8, static_cast<int>(y1) - 8, rgb(70, 80, 140));
        vLine(c, 364, static_cast<int>(y0) + 8, static_cast<int>(y1) - 8, rgb(70, 80, 140));
        vLine(c, 454, static_cast<int>(y0) + 8, static_cast<int>(y1) - 8, rgb(70, 80, 140));
    }
    return c;
}

}  // namespace art
