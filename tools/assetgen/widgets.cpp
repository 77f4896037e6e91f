// SPDX-License-Identifier: GPL-2.0-or-later
// Buttons, panels and small pictures shared by the sprite sheet and backgrounds.
#include "widgets.h"

#include <cmath>

namespace art {

void drawButton(Canvas& c, int x, int y, int w, int h, const char8_t* label, Rgb base, ButtonState state,
                ButtonIcon icon, int textSize) {
    const bool pressed = state == ButtonState::Pressed;
    const bool disabled = state == ButtonState::Disabled;
    const Rgb body = disabled ? rgb(150, 152, 158) : base;
    const float bx = static_cast<float>(x + (pressed ? 1 : 0));
    const float by = static_cast<float>(y + (pressed ? 1 : 0));
    const float bw = static_cast<float>(w - 1), bh = static_cast<float>(h - 1);
    const float radius = h < 20 ? 3.0f : 6.0f;
    if (!pressed) fillRoundRect(c, x + 1.0f, y + 1.0f, x + 1.0f + bw, y + 1.0f + bh, radius, rgb(20, 20, 28));
    const Rgb edge = shade(body, 35);
    fillRoundRect(c, bx, by, bx + bw, by + bh, radius, edge);
    const Rgb top = pressed ? shade(body, 70) : (disabled ? shade(body, 115) : shade(body, 145));
    const Rgb bottom = pressed ? shade(body, 95) : (disabled ? shade(body, 90) : shade(body, 80));
    fillRoundRectGradient(c, bx + 1, by + 1, bx + bw - 1, by + bh - 1, radius - 1, top, bottom);
    if (!pressed && !disabled && h >= 20) {
        // Glossy upper half.
        fillRoundRectGradient(c, bx + 2, by + 2, bx + bw - 2, by + bh / 2, radius - 2, shade(body, 175),
                              shade(body, 130));
    }
    if (pressed) {
        for (int i = 0; i < w - 3; ++i)
            blend(c, static_cast<int>(bx) + 2 + i, static_cast<int>(by) + 1, shade(body, 45), 200);
    }
    const Rgb textCol = disabled ? rgb(105, 108, 115) : rgb(255, 255, 255);
    const Rgb shadowCol = disabled ? rgb(200, 202, 208) : shade(body, 30);
    TextStyle style;
    style.size = textSize;
    style.bold = textSize >= 13;
    style.smooth = textSize >= 14;
    int iconW = 0;
    if (icon == ButtonIcon::Left || icon == ButtonIcon::Right || icon == ButtonIcon::Forward) iconW = 9;
    const int tw = label != nullptr ? textWidth(label, style) : 0;
    const int th = textHeight(style);
    const int total = tw + (iconW > 0 && tw > 0 ? iconW + 2 : iconW);
    int tx = static_cast<int>(bx) + (static_cast<int>(bw) - total) / 2;
    const int ty = static_cast<int>(by) + (static_cast<int>(bh) - th) / 2 + (h < 20 ? 0 : 1);
    const float midY = by + bh / 2.0f;
    auto triangle = [&](float left, bool pointRight) {
        float xy[6];
        if (pointRight) {
            const float pts[6] = {left, midY - 6, left + 8, midY, left, midY + 6};
            for (int i = 0; i < 6; ++i) xy[i] = pts[i];
        } else {
            const float pts[6] = {left + 8, midY - 6, left, midY, left + 8, midY + 6};
            for (int i = 0; i < 6; ++i) xy[i] = pts[i];
        }
        float sh[6];
        for (int i = 0; i < 6; ++i) sh[i] = xy[i] + 1;
        fillPolygon(c, sh, 3, shadowCol);
        fillPolygon(c, xy, 3, disabled ? textCol : colours::GOLD);
    };
    if (icon == ButtonIcon::Left) {
        triangle(static_cast<float>(tx), false);
        tx += iconW + 2;
    }
    if (label != nullptr) drawTextShadow(c, tx, ty, label, style, textCol, shadowCol);
    if (icon == ButtonIcon::Right) triangle(static_cast<float>(tx + tw + 2), true);
    if (icon == ButtonIcon::Forward) {
        triangle(static_cast<float>(tx + tw + 1), true);
    }
}

void drawPanel(Canvas& c, int x0, int y0, int x1, int y1, Rgb fillTop, Rgb fillBottom, Rgb border,
               float radius) {
    fillRoundRect(c, x0 + 2.0f, y0 + 3.0f, x1 + 2.0f, y1 + 3.0f, radius, rgb(0, 0, 0));
    fillRoundRect(c, static_cast<float>(x0), static_cast<float>(y0), static_cast<float>(x1),
                  static_cast<float>(y1), radius, border);
    fillRoundRectGradient(c, x0 + 2.0f, y0 + 2.0f, x1 - 2.0f, y1 - 2.0f, radius - 1.5f, fillTop, fillBottom);
}

void drawCoin(Canvas& c, float cx, float cy, float r) {
    fillEllipse(c, cx + 1, cy + 1.5f, r, r, rgb(90, 60, 0));
    fillEllipse(c, cx, cy, r, r, rgb(175, 120, 10));
    fillEllipse(c, cx - 0.5f, cy - 0.5f, r * 0.82f, r * 0.82f, rgb(250, 205, 70));
    fillEllipse(c, cx - r * 0.25f, cy - r * 0.3f, r * 0.35f, r * 0.25f, rgb(255, 240, 160));
    if (r >= 6) {
        TextStyle s;
        s.size = static_cast<int>(r * 1.3f);
        s.bold = true;
        s.smooth = true;
        const int tw = textWidth(u8"¥", s);
        drawText(c, static_cast<int>(cx - tw / 2.0f), static_cast<int>(cy - textHeight(s) / 2.0f), u8"¥", s,
                 rgb(150, 95, 5));
    }
}

void drawCrown(Canvas& c, float cx, float cy, float size) {
    const float s = size / 2;
    const float xy[] = {
        cx - s,        cy + s * 0.6f, cx - s, cy - s * 0.5f, cx - s * 0.5f, cy,     cx,
        cy - s * 0.8f, cx + s * 0.5f, cy,     cx + s,        cy - s * 0.5f, cx + s, cy + s * 0.6f};
    float sh[14];
    for (int i = 0; i < 14; ++i) sh[i] = xy[i] + 1.2f;
    fillPolygon(c, sh, 7, rgb(90, 50, 0));
    fillPolygon(c, xy, 7, rgb(250, 200, 50));
    fillRect(c, static_cast<int>(cx - s), static_cast<int>(cy + s * 0.35f), static_cast<int>(cx + s),
             static_cast<int>(cy + s * 0.6f), rgb(215, 150, 20));
    fillEllipse(c, cx, cy + s * 0.05f, s * 0.18f, s * 0.18f, rgb(220, 30, 50));
    fillEllipse(c, cx - s, cy - s * 0.55f, s * 0.14f, s * 0.14f, rgb(255, 240, 160));
    fillEllipse(c, cx + s, cy - s * 0.55f, s * 0.14f, s * 0.14f, rgb(255, 240, 160));
    fillEllipse(c, cx, cy - s * 0.85f, s * 0.14f, s * 0.14f, rgb(255, 240, 160));
}

void drawRisingArrow(Canvas& c, float x0, float y0, float x1, float y1, float width, Rgb col) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len = std::sqrt(dx * dx + dy * dy);
    const float ux = dx / len, uy = dy / len;
    const float head = width * 2.6f;
    const float bx = x1 - ux * head, by = y1 - uy * head;
    line(c, x0, y0, bx, by, width, col);
    const float xy[] = {
        x1, y1, bx - uy * head * 0.7f, by + ux * head * 0.7f, bx + uy * head * 0.7f, by - ux * head * 0.7f};
    fillPolygon(c, xy, 3, col);
}

void drawSkyline(Canvas& c, int x0, int x1, int baseY, int minH, int maxH, Rgb body, Rgb lit, uint32_t seed) {
    Noise n(seed);
    int x = x0;
    while (x < x1) {
        const int w = n.range(22, 52);
        const int h = n.range(minH, maxH);
        const Rgb tone = shade(body, n.range(80, 120));
        fillRect(c, x, baseY - h, x + w - 2, baseY, tone);
        if (n.range(0, 3) == 0)
            fillRect(c, x + w / 2 - 1, baseY - h - n.range(6, 16), x + w / 2 + 1, baseY - h, tone);
        for (int wy = baseY - h + 5; wy < baseY - 4; wy += 7) {
            for (int wx = x + 4; wx < x + w - 6; wx += 6) {
                if (n.range(0, 9) < 4)
                    fillRect(c, wx, wy, wx + 3, wy + 3, n.range(0, 4) == 0 ? shade(lit, 80) : lit);
            }
        }
        x += w;
    }
}

}  // namespace art
