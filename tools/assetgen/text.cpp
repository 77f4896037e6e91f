// SPDX-License-Identifier: GPL-2.0-or-later
// Text for the artwork: IPAGothic (and IPAMincho for the certificate) through
// SDL_ttf, crisp like the game's own 13-pixel text or anti-aliased for titles.
#include <SDL_ttf.h>

#include <algorithm>
#include <vector>

#include "art.h"

namespace art {
namespace {

constexpr const char* GOTHIC_FILES[] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
};
constexpr const char* MINCHO_FILES[] = {
    "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-mincho.ttf",
};

struct FontSlot {
    int size;
    bool bold;
    bool mincho;
    bool smooth;
    TTF_Font* font;
};
std::vector<FontSlot> fonts;
bool ttfOpen = false;

TTF_Font* fontFor(TextStyle style) {
    for (const FontSlot& slot : fonts) {
        if (slot.size == style.size && slot.bold == style.bold && slot.mincho == style.mincho &&
            slot.smooth == style.smooth)
            return slot.font;
    }
    TTF_Font* font = nullptr;
    if (style.mincho) {
        for (const char* path : MINCHO_FILES) {
            font = TTF_OpenFont(path, style.size);
            if (font != nullptr) break;
        }
    }
    for (const char* path : GOTHIC_FILES) {
        if (font != nullptr) break;
        font = TTF_OpenFont(path, style.size);
    }
    if (font == nullptr) return nullptr;
    if (style.bold) TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    TTF_SetFontHinting(font, style.smooth ? TTF_HINTING_NORMAL : TTF_HINTING_MONO);
    fonts.push_back(FontSlot{style.size, style.bold, style.mincho, style.smooth, font});
    return font;
}

// Coverage mask (0..255) of a text.
struct Mask {
    int w = 0, h = 0;
    std::vector<uint8_t> a;
    uint8_t at(int x, int y) const { return (x < 0 || y < 0 || x >= w || y >= h) ? 0 : a[y * w + x]; }
};

Mask render(const char8_t* text, TextStyle style) {
    Mask m;
    TTF_Font* font = fontFor(style);
    if (font == nullptr || text == nullptr || text[0] == 0) return m;
    const char* utf8 = reinterpret_cast<const char*>(text);
    SDL_Surface* s = style.smooth ? TTF_RenderUTF8_Blended(font, utf8, SDL_Color{255, 255, 255, 255})
                                  : TTF_RenderUTF8_Solid(font, utf8, SDL_Color{255, 255, 255, 255});
    if (s == nullptr) return m;
    if (s->format->BytesPerPixel == 1) {
        m.w = s->w;
        m.h = s->h;
        m.a.assign(static_cast<size_t>(m.w) * m.h, 0);
        SDL_LockSurface(s);
        for (int y = 0; y < m.h; ++y) {
            const uint8_t* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
            for (int x = 0; x < m.w; ++x) m.a[y * m.w + x] = row[x] != 0 ? 255 : 0;
        }
        SDL_UnlockSurface(s);
        SDL_FreeSurface(s);
        return m;
    }
    SDL_Surface* conv = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(s);
    if (conv == nullptr) return m;
    m.w = conv->w;
    m.h = conv->h;
    m.a.assign(static_cast<size_t>(m.w) * m.h, 0);
    SDL_LockSurface(conv);
    for (int y = 0; y < m.h; ++y) {
        const uint32_t* row =
            reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(conv->pixels) + y * conv->pitch);
        for (int x = 0; x < m.w; ++x) {
            m.a[y * m.w + x] = static_cast<uint8_t>(row[x] >> 24);
        }
    }
    SDL_UnlockSurface(conv);
    SDL_FreeSurface(conv);
    return m;
}

Mask dilate(const Mask& m, int radius) {
    Mask d;
    d.w = m.w + 2 * radius;
    d.h = m.h + 2 * radius;
    d.a.assign(static_cast<size_t>(d.w) * d.h, 0);
    for (int y = 0; y < d.h; ++y) {
        for (int x = 0; x < d.w; ++x) {
            int best = 0;
            for (int dy = -radius; dy <= radius; ++dy) {
                for (int dx = -radius; dx <= radius; ++dx) {
                    if (dx * dx + dy * dy > radius * radius + radius) continue;
                    best = std::max<int>(best, m.at(x - radius + dx, y - radius + dy));
                }
            }
            d.a[y * d.w + x] = static_cast<uint8_t>(best);
        }
    }
    return d;
}

template <typename ColourAt>
void stamp(Canvas& c, int x, int y, const Mask& m, ColourAt colourAt) {
    for (int my = 0; my < m.h; ++my) {
        for (int mx = 0; mx < m.w; ++mx) {
            const int a = m.a[my * m.w + mx];
            if (a == 0) continue;
            blend(c, x + mx, y + my, colourAt(my), a == 255 ? 256 : a);
        }
    }
}

}  // namespace

bool openFonts() {
    if (!ttfOpen) {
        if (TTF_WasInit() == 0 && TTF_Init() != 0) return false;
        ttfOpen = true;
    }
    return fontFor(TextStyle{}) != nullptr;
}

void closeFonts() {
    for (FontSlot& slot : fonts) TTF_CloseFont(slot.font);
    fonts.clear();
    if (ttfOpen) TTF_Quit();
    ttfOpen = false;
}

int textWidth(const char8_t* text, TextStyle style) {
    TTF_Font* font = fontFor(style);
    int w = 0, h = 0;
    if (font != nullptr) TTF_SizeUTF8(font, reinterpret_cast<const char*>(text), &w, &h);
    return w;
}

int textHeight(TextStyle style) {
    TTF_Font* font = fontFor(style);
    return font != nullptr ? TTF_FontHeight(font) : 0;
}

int drawText(Canvas& c, int x, int y, const char8_t* text, TextStyle style, Rgb col) {
    const Mask m = render(text, style);
    stamp(c, x, y, m, [&](int) { return col; });
    return m.w;
}

int drawTextOutlined(Canvas& c, int x, int y, const char8_t* text, TextStyle style, Rgb col, Rgb edge,
                     int outline) {
    const Mask m = render(text, style);
    const Mask d = dilate(m, outline);
    stamp(c, x - outline, y - outline, d, [&](int) { return edge; });
    stamp(c, x, y, m, [&](int) { return col; });
    return m.w;
}

int drawTextShadow(Canvas& c, int x, int y, const char8_t* text, TextStyle style, Rgb col, Rgb shadowCol,
                   int dx, int dy) {
    const Mask m = render(text, style);
    stamp(c, x + dx, y + dy, m, [&](int) { return shadowCol; });
    stamp(c, x, y, m, [&](int) { return col; });
    return m.w;
}

int drawTextFancy(Canvas& c, int x, int y, const char8_t* text, TextStyle style, Rgb top, Rgb bottom,
                  Rgb edge, int outline) {
    const Mask m = render(text, style);
    if (outline > 0) {
        const Mask d = dilate(m, outline);
        stamp(c, x - outline + 2, y - outline + 2, d, [&](int) { return shade(edge, 50); });
        stamp(c, x - outline, y - outline, d, [&](int) { return edge; });
    }
    // The gradient runs over the glyph rows actually used.
    int first = m.h, last = 0;
    for (int my = 0; my < m.h; ++my) {
        for (int mx = 0; mx < m.w; ++mx) {
            if (m.a[my * m.w + mx] != 0) {
                first = std::min(first, my);
                last = std::max(last, my);
            }
        }
    }
    const int span = std::max(1, last - first);
    stamp(c, x, y, m, [&](int my) { return mix(top, bottom, (my - first) * 256 / span); });
    return m.w;
}

void drawTextCentered(Canvas& c, int x0, int y0, int x1, int y1, const char8_t* text, TextStyle style,
                      Rgb col) {
    const int w = textWidth(text, style);
    const int h = textHeight(style);
    const int y = y1 > y0 ? y0 + (y1 - y0 - h) / 2 : y0;
    drawText(c, x0 + (x1 - x0 - w) / 2, y, text, style, col);
}

}  // namespace art
