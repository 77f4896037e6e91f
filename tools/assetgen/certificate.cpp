// SPDX-License-Identifier: GPL-2.0-or-later
// data/hyosho.BMP: the award certificate. The scene writes the name at
// (100, 50) in black, the share value at (200, 187) and the cash at (150, 207)
// in red, and draws the class icon (150 wide) at (265, 273).
#include "assets.h"
#include "widgets.h"

namespace art {

Canvas makeCertificate() {
    Canvas c(640, 480, rgb(60, 40, 20));
    vGradient(c, 0, 0, 640, 480, rgb(90, 60, 30), rgb(50, 30, 14));
    // Paper with a soft grain.
    fillRect(c, 10, 8, 630, 472, rgb(250, 244, 226));
    Noise n(7);
    for (int y = 8; y < 472; ++y) {
        for (int x = 10; x < 630; ++x) {
            if (n.range(0, 40) == 0) c.at(x, y).c = rgb(240, 232, 210);
        }
    }
    // Double gold border with corner ornaments.
    const Rgb gold = rgb(200, 150, 40), goldDark = rgb(140, 95, 15);
    frameRect(c, 18, 16, 622, 464, goldDark, 3);
    frameRect(c, 25, 23, 615, 457, gold, 1);
    for (int i = 0; i < 4; ++i) {
        const float cx = (i % 2 == 0) ? 25.0f : 615.0f, cy = (i < 2) ? 23.0f : 457.0f;
        fillEllipse(c, cx, cy, 9, 9, goldDark);
        fillEllipse(c, cx, cy, 6, 6, rgb(250, 215, 100));
        star(c, cx, cy, 5, 2, goldDark);
    }
    // Laurel dots along the top and bottom edges.
    for (int x = 60; x < 590; x += 16) {
        fillEllipse(c, static_cast<float>(x), 30.0f, 2.5f, 1.5f, rgb(210, 180, 90));
        fillEllipse(c, static_cast<float>(x), 450.0f, 2.5f, 1.5f, rgb(210, 180, 90));
    }

    TextStyle m13;
    m13.size = 13;
    m13.mincho = true;
    TextStyle m15 = m13;
    m15.size = 15;
    m15.smooth = true;
    // Name line: the scene's name at (100, 50), then the honorific.
    hLine(c, 90, 260, 66, rgb(120, 100, 70));
    drawText(c, 200, 48, u8"殿", m15, rgb(30, 20, 10));
    // Title.
    TextStyle title;
    title.size = 48;
    title.mincho = true;
    title.bold = true;
    title.smooth = true;
    const char8_t* heading = u8"表　彰　状";
    const int tw = textWidth(heading, title);
    drawTextShadow(c, 320 - tw / 2, 78, heading, title, rgb(30, 20, 10), rgb(210, 190, 150), 2, 2);
    const char8_t* body1 = u8"あなたは株式投資において次の成績を収められました";
    drawTextCentered(c, 0, 146, 640, 0, body1, m15, rgb(40, 30, 20));
    // Value lines, captions right-aligned before the numbers.
    const TextStyle cap = m13;
    const int w1 = textWidth(u8"持ち株価値", cap);
    drawText(c, 194 - w1, 187, u8"持ち株価値", cap, rgb(40, 30, 20));
    const int w2 = textWidth(u8"所持金", cap);
    drawText(c, 144 - w2, 207, u8"所持金", cap, rgb(40, 30, 20));
    hLine(c, 196, 420, 202, rgb(210, 190, 150));
    hLine(c, 146, 420, 222, rgb(210, 190, 150));
    // Title earned: the class icon lands in this frame.
    drawTextCentered(c, 0, 246, 640, 0, u8"あなたの称号", m15, rgb(40, 30, 20));
    fillRoundRect(c, 255.0f, 266.0f, 425.0f, 318.0f, 6, gold);
    fillRoundRect(c, 257.0f, 268.0f, 423.0f, 316.0f, 5, rgb(255, 250, 236));
    drawTextCentered(c, 0, 340, 640, 0, u8"よってその栄誉をたたえ、ここに表彰します。", m15, rgb(40, 30, 20));
    // Issuer and seal.
    drawText(c, 300, 390, u8"カブシム証券取引所", m15, rgb(40, 30, 20));
    drawText(c, 300, 412, u8"理事長　株野　守", m15, rgb(40, 30, 20));
    fillRoundRect(c, 470.0f, 380.0f, 520.0f, 430.0f, 6, rgb(200, 30, 40));
    fillRoundRect(c, 474.0f, 384.0f, 516.0f, 426.0f, 4, rgb(250, 235, 225));
    TextStyle seal;
    seal.size = 17;
    seal.mincho = true;
    seal.bold = true;
    seal.smooth = true;
    drawText(c, 478, 386, u8"取引", seal, rgb(200, 30, 40));
    drawText(c, 478, 405, u8"之印", seal, rgb(200, 30, 40));
    return c;
}

}  // namespace art
