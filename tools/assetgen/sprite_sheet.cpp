// SPDX-License-Identifier: GPL-2.0-or-later
// data/char.BMP: buttons, cursor, ruin stamps, logo, strips, caption and class icons.
#include <cstring>

#include "assets.h"
#include "sheet_layout.h"
#include "widgets.h"

namespace art {
namespace {

using sheet::SheetRect;

int w(const SheetRect& r) { return r.right - r.left; }
int h(const SheetRect& r) { return r.bottom - r.top; }

void button(Canvas& c, const SheetRect& r, const char8_t* label, Rgb base, ButtonState state,
            ButtonIcon icon = ButtonIcon::None, int size = 14) {
    drawButton(c, r.left, r.top, w(r), h(r), label, base, state, icon, size);
}

// The classic arrow: tip at the top-left pixel.
void drawCursor(Canvas& c, const SheetRect& r) {
    static const char* const shape[] = {
        "X",
        "XX",
        "XoX",
        "XooX",
        "XoooX",
        "XooooX",
        "XoooooX",
        "XooooooX",
        "XoooooooX",
        "XooooooooX",
        "XoooooooooX",
        "XooooooooooX",
        "XoooooooXXXXX",
        "XoooXoooX",
        "XooXXoooX",
        "XoX  XoooX",
        "XX   XoooX",
        "X     XoooX",
        "      XoooX",
        "       XoooX",
        "       XoooX",
        "        XXX",
    };
    for (int y = 0; y < static_cast<int>(sizeof shape / sizeof shape[0]); ++y) {
        for (int x = 0; shape[y][x] != 0; ++x) {
            if (shape[y][x] == 'X') put(c, r.left + x, r.top + y, rgb(0, 0, 0));
            if (shape[y][x] == 'o') put(c, r.left + x, r.top + y, rgb(255, 255, 255));
        }
    }
}

// A red seal stamp with one big character.
void drawStamp(Canvas& c, const SheetRect& r, const char8_t* glyph, uint32_t seed) {
    const float cx = (r.left + r.right) / 2.0f, cy = (r.top + r.bottom) / 2.0f;
    const float rx = w(r) / 2.0f - 0.5f, ry = h(r) / 2.0f - 0.5f;
    const Rgb red = rgb(200, 20, 30);
    fillEllipse(c, cx, cy, rx, ry, red);
    fillEllipse(c, cx, cy, rx - 4.5f, ry - 4.5f, rgb(255, 240, 225));
    strokeEllipse(c, cx, cy, rx - 6.5f, ry - 6.5f, 1.5f, red);
    TextStyle s;
    s.size = static_cast<int>(ry * 1.25f);
    s.bold = true;
    s.smooth = true;
    s.mincho = true;
    const int tw = textWidth(glyph, s);
    const int th = textHeight(s);
    drawText(c, static_cast<int>(cx - tw / 2.0f), static_cast<int>(cy - th / 2.0f), glyph, s, red);
    // Ink grain: a few pale specks in the red.
    Noise n(seed);
    for (int i = 0; i < 70; ++i) {
        const int x = n.range(r.left, r.right - 1), y = n.range(r.top, r.bottom - 1);
        Pixel& p = c.at(x, y);
        if (!(p.flags & KEY) && p.c.r == red.r && p.c.g == red.g) p.c = rgb(235, 120, 120);
    }
}

void drawLogo(Canvas& c, const SheetRect& r) {
    // A rising chart line behind the name.
    const float pts[] = {r.left + 6.0f,   r.bottom - 8.0f,  r.left + 70.0f,  r.bottom - 26.0f,
                         r.left + 120.0f, r.bottom - 18.0f, r.left + 190.0f, r.bottom - 46.0f,
                         r.left + 236.0f, r.bottom - 36.0f};
    polyline(c, pts, 5, 5, rgb(30, 150, 60));
    drawRisingArrow(c, r.left + 236.0f, r.bottom - 36.0f, r.left + 282.0f, r.top + 8.0f, 5, rgb(30, 150, 60));
    TextStyle big;
    big.size = 64;
    big.bold = true;
    big.smooth = true;
    drawTextFancy(c, r.left + 8, r.top + 6, u8"カブシム", big, rgb(255, 245, 170), rgb(230, 140, 10),
                  rgb(60, 25, 0), 3);
    TextStyle latin;
    latin.size = 30;
    latin.bold = true;
    latin.smooth = true;
    const int lw = textWidth(u8"KABUSIM", latin);
    const int right = r.right - 6;
    drawTextFancy(c, right - lw, r.top + 12, u8"KABUSIM", latin, rgb(220, 240, 255), rgb(90, 150, 230),
                  rgb(10, 20, 60), 2);
    TextStyle sub;
    sub.size = 13;
    sub.bold = true;
    sub.smooth = true;
    const char8_t* line = u8"株式売買シミュレーション";
    const int sw = textWidth(line, sub);
    drawTextOutlined(c, right - sw, r.top + 54, line, sub, rgb(255, 255, 255), rgb(10, 20, 60), 1);
}

void drawStrip(Canvas& c, const SheetRect& r, const char8_t* text, int size, Rgb top, Rgb bottom) {
    TextStyle s;
    s.size = size;
    s.bold = true;
    s.smooth = true;
    const int tw = textWidth(text, s);
    const int th = textHeight(s);
    drawTextFancy(c, r.left + (w(r) - tw) / 2, r.top + (h(r) - th) / 2, text, s, top, bottom, rgb(20, 20, 40),
                  1);
}

void drawClassIcon(Canvas& c, const SheetRect& r, int cls) {
    static const char8_t* const titles[7] = {u8"株の神様", u8"大富豪",   u8"大資産家", u8"億万長者",
                                             u8"小金持ち", u8"一般庶民", u8"一文無し"};
    static const Rgb plates[7] = {rgb(235, 185, 40), rgb(185, 200, 225), rgb(200, 130, 60), rgb(60, 150, 90),
                                  rgb(60, 120, 200), rgb(130, 130, 140), rgb(110, 80, 60)};
    const Rgb plate = plates[cls];
    const float x0 = static_cast<float>(r.left), y0 = static_cast<float>(r.top);
    const float x1 = static_cast<float>(r.right), y1 = static_cast<float>(r.bottom);
    fillRoundRect(c, x0, y0, x1, y1, 7, shade(plate, 30));
    fillRoundRectGradient(c, x0 + 1.5f, y0 + 1.5f, x1 - 1.5f, y1 - 1.5f, 6, shade(plate, 160),
                          shade(plate, 85));
    // Medallion with the rank number.
    const float my = (y0 + y1) / 2.0f;
    const float mr = (y1 - y0) / 2.0f - 3;
    fillEllipse(c, x0 + 4 + mr, my, mr, mr, shade(plate, 40));
    fillEllipse(c, x0 + 4 + mr, my, mr - 2, mr - 2, cls == 0 ? rgb(255, 230, 120) : shade(plate, 130));
    if (cls == 0) {
        drawCrown(c, x0 + 4 + mr, my + 1, mr * 1.3f);
    } else if (cls == 6) {
        TextStyle s;
        s.size = 16;
        s.bold = true;
        s.smooth = true;
        drawTextCentered(c, static_cast<int>(x0 + 4), static_cast<int>(my - mr),
                         static_cast<int>(x0 + 4 + 2 * mr), static_cast<int>(my + mr), u8"×", s,
                         rgb(70, 40, 30));
    } else {
        drawCoin(c, x0 + 4 + mr, my, mr - 3);
    }
    // Title and stars: six for the top class, none for the last.
    TextStyle title;
    title.size = 16;
    title.smooth = true;
    const int tx = static_cast<int>(x0 + 8 + 2 * mr);
    const bool lightPlate = cls <= 2;
    if (lightPlate) {
        drawTextShadow(c, tx, static_cast<int>(y0) + 2, titles[cls], title, rgb(40, 24, 0),
                       shade(plate, 170));
    } else {
        drawTextShadow(c, tx, static_cast<int>(y0) + 2, titles[cls], title, rgb(255, 255, 255),
                       shade(plate, 25));
    }
    const int stars = 6 - cls;
    for (int i = 0; i < 6; ++i) {
        const float sx = tx + 6 + i * 13.0f, sy = y1 - 9.0f;
        if (i < stars) {
            star(c, sx + 0.8f, sy + 0.8f, 5.5f, 2.4f, shade(plate, 25));
            star(c, sx, sy, 5.5f, 2.4f, rgb(255, 225, 60));
        } else {
            star(c, sx, sy, 5.5f, 2.4f, shade(plate, 60));
        }
    }
}

void drawGameOver(Canvas& c, const SheetRect& r) {
    fillRoundRect(c, r.left + 0.0f, r.top + 0.0f, r.right + 0.0f, r.bottom + 0.0f, 10, rgb(20, 0, 4));
    fillRoundRectGradient(c, r.left + 2.0f, r.top + 2.0f, r.right - 2.0f, r.bottom - 2.0f, 9, rgb(90, 10, 20),
                          rgb(30, 0, 6));
    TextStyle big;
    big.size = 46;
    big.bold = true;
    big.smooth = true;
    const int tw = textWidth(u8"GAME OVER", big);
    drawTextFancy(c, r.left + (w(r) - tw) / 2, r.top + 2, u8"GAME OVER", big, rgb(255, 240, 200),
                  rgb(230, 40, 40), rgb(0, 0, 0), 2);
    TextStyle sub;
    sub.size = 14;
    sub.bold = true;
    sub.smooth = true;
    const char8_t* line = u8"資金が尽きました　クリックでタイトルへ";
    const int sw = textWidth(line, sub);
    drawText(c, r.left + (w(r) - sw) / 2, r.bottom - 19, line, sub, rgb(255, 220, 220));
}

void drawTitleStrip(Canvas& c, const SheetRect& r) {
    TextStyle s;
    s.size = 12;
    const char8_t* text = u8"Copyright (C) 2003 かぶしき工房ピクル  All Rights Reserved.";
    const int tw = textWidth(text, s);
    drawTextOutlined(c, r.left + (w(r) - tw) / 2, r.top + 1, text, s, rgb(230, 230, 240), rgb(10, 10, 30), 1);
}

}  // namespace

Canvas makeSpriteSheet() {
    using namespace sheet;
    namespace k = colours;
    Canvas c(WIDTH, HEIGHT);
    drawCursor(c, CURSOR);

    button(c, BUY, u8"購入", k::BUTTON_GREEN, ButtonState::Normal);
    button(c, HOLDINGS, u8"持ち株", k::BUTTON_BLUE, ButtonState::Normal);
    button(c, SUPPORT, u8"支援", k::BUTTON_ORANGE, ButtonState::Normal);
    button(c, SAVE, u8"セーブ", k::BUTTON_TEAL, ButtonState::Normal);
    button(c, GRAPH, u8"グラフ", k::BUTTON_PURPLE, ButtonState::Normal);
    button(c, NEXT_DAY, u8"次の日", k::BUTTON_RED, ButtonState::Normal, ButtonIcon::Forward, 13);
    button(c, NEXT_DAY_PRESSED, u8"次の日", k::BUTTON_RED, ButtonState::Pressed, ButtonIcon::Forward, 13);

    button(c, PREV, u8"前へ", k::BUTTON_BLUE, ButtonState::Normal, ButtonIcon::Left);
    button(c, PREV_PRESSED, u8"前へ", k::BUTTON_BLUE, ButtonState::Pressed, ButtonIcon::Left);
    button(c, PREV_DISABLED, u8"前へ", k::BUTTON_BLUE, ButtonState::Disabled, ButtonIcon::Left);
    button(c, NEXT, u8"次へ", k::BUTTON_BLUE, ButtonState::Normal, ButtonIcon::Right);
    button(c, NEXT_PRESSED, u8"次へ", k::BUTTON_BLUE, ButtonState::Pressed, ButtonIcon::Right);
    button(c, NEXT_DISABLED, u8"次へ", k::BUTTON_BLUE, ButtonState::Disabled, ButtonIcon::Right);
    button(c, ADD, u8"追加", k::BUTTON_GREEN, ButtonState::Normal, ButtonIcon::None, 12);
    button(c, ADD_PRESSED, u8"追加", k::BUTTON_GREEN, ButtonState::Pressed, ButtonIcon::None, 12);
    button(c, REMOVE, u8"削除", k::BUTTON_RED, ButtonState::Normal, ButtonIcon::None, 12);
    button(c, REMOVE_PRESSED, u8"削除", k::BUTTON_RED, ButtonState::Pressed, ButtonIcon::None, 12);
    button(c, DECIDE, u8"決定", k::BUTTON_GREEN, ButtonState::Normal);
    button(c, DECIDE_PRESSED, u8"決定", k::BUTTON_GREEN, ButtonState::Pressed);
    button(c, BACK, u8"戻る", k::BUTTON_GREY, ButtonState::Normal);
    button(c, BACK_PRESSED, u8"戻る", k::BUTTON_GREY, ButtonState::Pressed);

    button(c, SELL, u8"売却", k::BUTTON_RED, ButtonState::Normal);
    button(c, HOLDINGS_BACK, u8"戻る", k::BUTTON_GREY, ButtonState::Normal);
    button(c, RANKING_BACK, u8"タイトルへ戻る", k::BUTTON_GREY, ButtonState::Normal, ButtonIcon::Left);

    drawStamp(c, RUIN_A, u8"破", 11);
    drawStamp(c, RUIN_B, u8"産", 12);
    drawLogo(c, LOGO);
    drawTitleStrip(c, TITLE_STRIP);
    drawGameOver(c, GAME_OVER);
    for (int i = 0; i < 7; ++i) drawClassIcon(c, CLASS_ICONS[i], i);

    drawStrip(c, OPENING[0], u8"西暦2003年、東京。", 15, rgb(255, 255, 255), rgb(190, 210, 255));
    drawStrip(c, OPENING[1], u8"元手はわずか200万円", 14, rgb(255, 255, 255), rgb(190, 210, 255));
    drawStrip(c, OPENING[2], u8"株の売り買いだけで", 15, rgb(255, 255, 255), rgb(190, 210, 255));
    drawStrip(c, OPENING[3], u8"どこまで増やせるか", 14, rgb(255, 255, 255), rgb(190, 210, 255));
    drawStrip(c, OPENING[4], u8"カブシム", 24, rgb(255, 245, 170), rgb(230, 140, 10));

    // Nothing may stray outside the named rectangles.
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            bool named = false;
            for (const SheetRect& r : ALL) {
                if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) named = true;
            }
            if (!named) c.at(x, y) = Pixel{rgb(0, 0, 0), KEY};
        }
    }
    return c;
}

}  // namespace art
