// The game font: code page 932 text drawn with IPAGothic at 13 pixels without
// anti-aliasing. Glyphs are rendered once and kept as bit masks.
#include <SDL_ttf.h>
#include <iconv.h>

#include <cstring>

#include "shell/draw_context.h"
#include "shell/platform.h"
#include "shell/text_glyphs.h"

namespace {
constexpr int FONT_PIXELS = 13;
constexpr const char* FONT_FILES[] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
};

// One slot per single byte, then one per double-byte code (lead 0x81-0x9F or
// 0xE0-0xFC, trail 0x40-0xFC).
constexpr int SINGLE_SLOTS = 256;
constexpr int TRAIL_COUNT = 0xFD - 0x40;
constexpr int LEAD_COUNT = (0xA0 - 0x81) + (0xFD - 0xE0);
constexpr int GLYPH_SLOTS = SINGLE_SLOTS + LEAD_COUNT * TRAIL_COUNT;

Glyph glyphs[GLYPH_SLOTS];
TTF_Font* font = nullptr;
int fontHeight = 0;
iconv_t toUnicode = reinterpret_cast<iconv_t>(-1);

bool isLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

int slotOf(uint8_t lead, uint8_t trail) {
    const int leadIndex = lead <= 0x9F ? lead - 0x81 : (0xA0 - 0x81) + (lead - 0xE0);
    return SINGLE_SLOTS + leadIndex * TRAIL_COUNT + (trail - 0x40);
}

// The Unicode code point of one code page 932 character, 0 if it has none.
uint32_t codePointOf(const char* bytes, size_t length) {
    if (toUnicode == reinterpret_cast<iconv_t>(-1)) return 0;
    char in[2];
    std::memcpy(in, bytes, length);
    uint32_t out[2] = {0, 0};
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t inLeft = length;
    size_t outLeft = sizeof out;
    iconv(toUnicode, nullptr, nullptr, nullptr, nullptr);
    if (iconv(toUnicode, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return 0;
    return out[0];
}

// The advance of a character in 1/64 pixel. The font is monospaced with
// half-width letters of 6.5 pixels, so whole-pixel advances would drift: the
// width of a run of copies, as the font lays it out, keeps the fraction.
int32_t advance64Of(uint32_t codePoint) {
    char utf8[4];
    int size;
    if (codePoint < 0x80) {
        utf8[0] = static_cast<char>(codePoint);
        size = 1;
    } else if (codePoint < 0x800) {
        utf8[0] = static_cast<char>(0xC0 | (codePoint >> 6));
        utf8[1] = static_cast<char>(0x80 | (codePoint & 0x3F));
        size = 2;
    } else if (codePoint < 0x10000) {
        utf8[0] = static_cast<char>(0xE0 | (codePoint >> 12));
        utf8[1] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        utf8[2] = static_cast<char>(0x80 | (codePoint & 0x3F));
        size = 3;
    } else {
        utf8[0] = static_cast<char>(0xF0 | (codePoint >> 18));
        utf8[1] = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        utf8[2] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        utf8[3] = static_cast<char>(0x80 | (codePoint & 0x3F));
        size = 4;
    }
    constexpr int COPIES = 16;
    char run[COPIES * 4 + 1];
    for (int i = 0; i < COPIES; ++i) std::memcpy(run + i * size, utf8, size);
    run[COPIES * size] = '\0';
    int width = 0;
    int height = 0;
    TTF_SetFontHinting(font, TTF_HINTING_NONE);
    const int result = TTF_SizeUTF8(font, run, &width, &height);
    TTF_SetFontHinting(font, TTF_HINTING_MONO);
    if (result != 0) return -1;
    return width * 64 / COPIES;
}

void renderGlyph(Glyph& glyph, uint32_t codePoint) {
    glyph.state = Glyph::Missing;
    if (font == nullptr || codePoint == 0) return;
    int minX, maxX, minY, maxY, advance;
    if (TTF_GlyphMetrics32(font, codePoint, &minX, &maxX, &minY, &maxY, &advance) != 0) return;
    const int32_t advance64 = advance64Of(codePoint);
    glyph.advance64 = advance64 >= 0 ? advance64 : advance * 64;
    glyph.state = Glyph::Ready;
    if (codePoint == ' ' || codePoint == 0x3000) return;
    SDL_Surface* image = TTF_RenderGlyph32_Solid(font, codePoint, SDL_Color{255, 255, 255, 255});
    if (image == nullptr) return;
    if (SDL_LockSurface(image) == 0) {
        const int rows = image->h < Glyph::MAX_ROWS ? image->h : Glyph::MAX_ROWS;
        const int cols = image->w < 32 ? image->w : 32;
        for (int y = 0; y < rows; ++y) {
            const uint8_t* line = static_cast<const uint8_t*>(image->pixels) + y * image->pitch;
            uint32_t mask = 0;
            for (int x = 0; x < cols; ++x) {
                if (line[x] != 0) mask |= 1u << x;
            }
            glyph.rows[y] = mask;
        }
        SDL_UnlockSurface(image);
    }
    SDL_FreeSurface(image);
}
}  // namespace

bool openTextFont() {
    if (font != nullptr) return true;
    if (TTF_WasInit() == 0 && TTF_Init() != 0) return false;
    for (const char* path : FONT_FILES) {
        font = TTF_OpenFont(path, FONT_PIXELS);
        if (font != nullptr) break;
    }
    if (font == nullptr) return false;
    TTF_SetFontHinting(font, TTF_HINTING_MONO);
    fontHeight = TTF_FontHeight(font);
    if (fontHeight > Glyph::MAX_ROWS) fontHeight = Glyph::MAX_ROWS;
    toUnicode = iconv_open("UTF-32LE", "CP932");
    return true;
}

void closeTextFont() {
    if (font != nullptr) TTF_CloseFont(font);
    font = nullptr;
    if (toUnicode != reinterpret_cast<iconv_t>(-1)) iconv_close(toUnicode);
    toUnicode = reinterpret_cast<iconv_t>(-1);
    std::memset(static_cast<void*>(glyphs), 0, sizeof glyphs);
}

int textHeight() { return fontHeight; }

// Steps through a code page 932 text one character at a time. Returns the
// glyph of the character at text[*pos] and moves *pos past it; nullptr at the
// end of the text.
const Glyph* nextGlyph(const char* text, int length, int* pos) {
    if (*pos >= length) return nullptr;
    const uint8_t lead = static_cast<uint8_t>(text[*pos]);
    int slot;
    int size = 1;
    if (isLeadByte(lead)) {
        if (*pos + 1 >= length) {
            *pos = length;
            return nullptr;
        }
        const uint8_t trail = static_cast<uint8_t>(text[*pos + 1]);
        if (trail < 0x40 || trail > 0xFC) {
            *pos += 1;
            static const Glyph blank{};
            return &blank;
        }
        slot = slotOf(lead, trail);
        size = 2;
    } else {
        slot = lead;
    }
    Glyph& glyph = glyphs[slot];
    if (glyph.state == Glyph::Unknown) renderGlyph(glyph, codePointOf(text + *pos, size));
    *pos += size;
    return &glyph;
}

int textWidth(const char* text, int length) {
    int32_t width64 = 0;
    int pos = 0;
    while (const Glyph* glyph = nextGlyph(text, length, &pos)) width64 += glyph->advance64;
    return (width64 + 63) / 64;
}

int textWidth(const char* text) { return textWidth(text, static_cast<int>(std::strlen(text))); }
