// SPDX-License-Identifier: GPL-2.0-or-later
// data/kounyu.BMP (buy), data/uke.BMP (sell) and data/shien.BMP (support): dark
// screens for white, cyan and yellow texts, with the captions the texts need.
#include "assets.h"
#include "widgets.h"

namespace art {
namespace {

constexpr Rgb CAPTION = colours::CAPTION;

TextStyle captionStyle() {
    TextStyle s;
    s.size = 13;
    s.bold = true;
    return s;
}

// Caption ending at x (right-aligned), on the line of a text drawn at y.
void captionBefore(Canvas& c, int x, int y, const char8_t* text) {
    const int w = textWidth(text, captionStyle());
    drawText(c, x - w, y, text, captionStyle(), CAPTION);
}

// Common frame: gradient ground, heading banner with an English word, footer bar.
void screenFrame(Canvas& c, const char8_t* heading, const char8_t* english, Rgb accent, int footerY) {
    vGradient3(c, 0, 0, 640, 480, rgb(10, 18, 50), rgb(18, 34, 86), rgb(6, 10, 30));
    // Heading banner.
    hGradient(c, 0, 14, 640, 62, shade(accent, 30), shade(accent, 75));
    hLine(c, 0, 640, 14, shade(accent, 130));
    hLine(c, 0, 640, 61, shade(accent, 130));
    TextStyle h;
    h.size = 32;
    h.bold = true;
    h.smooth = true;
    drawTextFancy(c, 24, 20, heading, h, rgb(255, 255, 255), rgb(255, 220, 120), rgb(20, 10, 0), 2);
    TextStyle e;
    e.size = 20;
    e.bold = true;
    e.smooth = true;
    const int ew = textWidth(english, e);
    drawText(c, 616 - ew, 30, english, e, shade(accent, 150));
    // Footer where the two big buttons sit.
    vGradient(c, 0, footerY, 640, 480, rgb(14, 22, 56), rgb(4, 6, 20));
    hLine(c, 0, 640, footerY, rgb(250, 205, 70));
}

void wells(Canvas& c, int x, int y, int w, int h) {
    fillRoundRect(c, x - 3.0f, y - 3.0f, x + w + 3.0f, y + h + 3.0f, 7, rgb(2, 4, 14));
}

}  // namespace

Canvas makeBuyScreen() {
    Canvas c(640, 480);
    screenFrame(c, u8"株式購入", u8"BUY", colours::BUTTON_GREEN, 415);
    // One panel holds the choice (question at (150, 90), arrows at y = 110, the
    // quantity and price lines) and below it the purchase list (heading at
    // (250, 190), entries from y = 210 every 20 pixels, rule across x = 20 to 619).
    drawPanel(c, 20, 74, 620, 414, rgb(24, 48, 100), rgb(6, 16, 40), rgb(120, 170, 240), 8);
    wells(c, 150, 110, 66, 37);
    wells(c, 400, 110, 66, 37);
    fillRoundRect(c, 224.0f, 114.0f, 394.0f, 140.0f, 5, rgb(8, 16, 44));
    hLine(c, 244, 604, 205, rgb(60, 160, 170));
    fillRoundRect(c, 240.0f, 206.0f, 608.0f, 406.0f, 6, rgb(4, 20, 32));
    for (int i = 1; i < 10; ++i) hLine(c, 244, 604, 206 + 20 * i, rgb(16, 48, 62));
    // Coins and a rising arrow on the left, with a note on lots.
    for (int i = 0; i < 5; ++i) drawCoin(c, 70, 176 - i * 7.0f, 16);
    drawRisingArrow(c, 40, 150, 108, 92, 6, rgb(80, 220, 120));
    TextStyle note;
    note.size = 12;
    drawText(c, 40, 330, u8"「追加」1回で", note, CAPTION);
    drawText(c, 40, 346, u8"1万株を注文、", note, CAPTION);
    drawText(c, 40, 362, u8"「決定」で", note, CAPTION);
    drawText(c, 40, 378, u8"支払います。", note, CAPTION);
    // Money lines: cash at (505, 417), total at (460, 440).
    captionBefore(c, 500, 417, u8"所持金");
    wells(c, 230, 430, 66, 37);
    wells(c, 370, 430, 66, 37);
    return c;
}

Canvas makeSellScreen() {
    Canvas c(640, 480);
    screenFrame(c, u8"株式売却", u8"SELL", colours::BUTTON_RED, 420);
    drawPanel(c, 150, 80, 540, 262, rgb(70, 24, 40), rgb(34, 10, 24), rgb(240, 130, 140), 8);
    // Price (292, 93), name (230, 110), arrows at y = 130.
    captionBefore(c, 286, 93, u8"現在の株価");
    fillRoundRect(c, 224.0f, 106.0f, 470.0f, 126.0f, 5, rgb(20, 4, 12));
    wells(c, 180, 130, 66, 37);
    wells(c, 400, 130, 66, 37);
    // Shares held (400, 177), staged (400, 194), proceeds (400, 219), cash (435, 237).
    captionBefore(c, 394, 177, u8"持ち株数");
    captionBefore(c, 394, 194, u8"売る株数");
    captionBefore(c, 394, 219, u8"売却金額");
    captionBefore(c, 429, 237, u8"所持金");
    hLine(c, 300, 530, 213, rgb(150, 80, 90));
    // Help text.
    TextStyle help;
    help.size = 13;
    const char8_t* lines[] = {u8"売りたい会社を選び、「追加」で売る株を1万株ずつ増やします。",
                              u8"「決定」で売却し、「戻る」で取りやめます。",
                              u8"売った会社の株価は少し下がります。"};
    for (int i = 0; i < 3; ++i)
        drawTextCentered(c, 0, 300 + 24 * i, 640, 0, lines[i], help, rgb(220, 220, 235));
    // Coins handed back and a falling arrow on the left.
    for (int i = 0; i < 4; ++i) drawCoin(c, 76, 238 - i * 7.0f, 16);
    drawRisingArrow(c, 34, 96, 104, 190, 6, rgb(240, 80, 90));
    wells(c, 230, 430, 66, 37);
    wells(c, 370, 430, 66, 37);
    return c;
}

Canvas makeSupportScreen() {
    Canvas c(640, 480);
    screenFrame(c, u8"企業支援", u8"SUPPORT", colours::BUTTON_ORANGE, 404);
    // Explanation panel.
    drawPanel(c, 40, 76, 600, 232, rgb(70, 46, 16), rgb(40, 24, 8), rgb(240, 180, 90), 8);
    // A building with a rising arrow.
    fillRect(c, 70, 120, 130, 214, rgb(120, 130, 160));
    fillRect(c, 70, 120, 130, 126, rgb(160, 170, 200));
    for (int y = 132; y < 206; y += 12) {
        for (int x = 78; x < 124; x += 14) fillRect(c, x, y, x + 8, y + 7, rgb(255, 230, 130));
    }
    drawRisingArrow(c, 60, 200, 160, 100, 7, rgb(90, 230, 120));
    TextStyle body;
    body.size = 14;
    body.bold = true;
    body.smooth = true;
    const char8_t* lines[] = {u8"会社にお金を出して応援しましょう。",
                              u8"1万円から10万円まで、1万円ずつ支援できます。",
                              u8"支援額が多いほど成功しやすく、", u8"成功すると株価が上がります。",
                              u8"支援したお金は戻ってきません。"};
    for (int i = 0; i < 5; ++i)
        drawText(c, 190, 92 + 26 * i, lines[i], body, i == 4 ? rgb(255, 190, 150) : rgb(255, 245, 225));
    // Choice panel: price (245, 265), question (150, 290), arrows and name at y = 310,
    // amount question (200, 330), add and remove at x = 240, y = 357 and 377.
    drawPanel(c, 100, 250, 560, 402, rgb(30, 50, 100), rgb(14, 24, 60), rgb(120, 170, 240), 8);
    captionBefore(c, 240, 265, u8"現在の株価");
    wells(c, 120, 310, 66, 37);
    wells(c, 470, 310, 66, 37);
    // Money lines: total (470, 410), cash (470, 430). The cash caption is short
    // so that it fits between the back button and the text.
    TextStyle small = captionStyle();
    small.size = 12;
    drawText(c, 466 - textWidth(u8"資金", small), 431, u8"資金", small, CAPTION);
    wells(c, 230, 430, 66, 37);
    wells(c, 370, 430, 66, 37);
    return c;
}

}  // namespace art
