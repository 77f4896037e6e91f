// SPDX-License-Identifier: GPL-2.0-or-later
// The game font as data: every character of code page 932 rendered with
// IPAGothic at 13 pixels without anti-aliasing, into data/glyphs.bin (the
// format is in core/text_glyphs.h). The game draws all its text from it.
#include <SDL.h>
#include <SDL_ttf.h>
#include <iconv.h>

#include <cstring>
#include <string>
#include <vector>

#include "assets.h"
#include "bmp_file.h"
#include "core/text_glyphs.h"

namespace fontfile {
namespace {

constexpr int FONT_PIXELS = 13;
constexpr const char* FONT_FILE = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";
const iconv_t NO_ICONV = reinterpret_cast<iconv_t>(-1);

struct Renderer {
    TTF_Font* font = nullptr;        // hinted for crisp glyphs
    TTF_Font* layoutFont = nullptr;  // unhinted, for advances with their fraction
    iconv_t toUnicode = NO_ICONV;
};

struct RenderedGlyph {
    int32_t advance64 = 0;
    uint32_t rows[Glyph::MAX_ROWS] = {};
};

// The Unicode code point of one code page 932 character, 0 if it has none.
uint32_t codePointOf(const Renderer& with, const char* bytes, size_t length) {
    if (with.toUnicode == NO_ICONV) return 0;
    char in[2];
    std::memcpy(in, bytes, length);
    uint32_t out[2] = {0, 0};
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t inLeft = length;
    size_t outLeft = sizeof out;
    iconv(with.toUnicode, nullptr, nullptr, nullptr, nullptr);
    if (iconv(with.toUnicode, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return 0;
    return out[0];
}

int utf8Of(uint32_t codePoint, char* utf8) {
    if (codePoint < 0x80) {
        utf8[0] = static_cast<char>(codePoint);
        return 1;
    }
    if (codePoint < 0x800) {
        utf8[0] = static_cast<char>(0xC0 | (codePoint >> 6));
        utf8[1] = static_cast<char>(0x80 | (codePoint & 0x3F));
        return 2;
    }
    if (codePoint < 0x10000) {
        utf8[0] = static_cast<char>(0xE0 | (codePoint >> 12));
        utf8[1] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        utf8[2] = static_cast<char>(0x80 | (codePoint & 0x3F));
        return 3;
    }
    utf8[0] = static_cast<char>(0xF0 | (codePoint >> 18));
    utf8[1] = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    utf8[2] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    utf8[3] = static_cast<char>(0x80 | (codePoint & 0x3F));
    return 4;
}

// The advance of a character in 1/64 pixel. The font is monospaced with
// half-width letters of 6.5 pixels, so whole-pixel advances would drift: the
// width of a run of copies, as the font lays it out, keeps the fraction.
int32_t advance64Of(const Renderer& with, uint32_t codePoint) {
    char utf8[4];
    const int size = utf8Of(codePoint, utf8);
    constexpr int COPIES = 16;
    char run[COPIES * 4 + 1];
    for (int i = 0; i < COPIES; ++i) std::memcpy(run + i * size, utf8, size);
    run[COPIES * size] = '\0';
    int width = 0;
    int height = 0;
    if (with.layoutFont == nullptr || TTF_SizeUTF8(with.layoutFont, run, &width, &height) != 0) return -1;
    return width * 64 / COPIES;
}

// Fills the glyph's advance and rows; false when the character has no glyph.
bool renderGlyph(const Renderer& with, RenderedGlyph& glyph, uint32_t codePoint) {
    if (with.font == nullptr || codePoint == 0) return false;
    int minX, maxX, minY, maxY, advance;
    if (TTF_GlyphMetrics32(with.font, codePoint, &minX, &maxX, &minY, &maxY, &advance) != 0) return false;
    const int32_t advance64 = advance64Of(with, codePoint);
    glyph.advance64 = advance64 >= 0 ? advance64 : advance * 64;
    if (codePoint == ' ' || codePoint == 0x3000) return true;
    SDL_Surface* image = TTF_RenderGlyph32_Solid(with.font, codePoint, SDL_Color{255, 255, 255, 255});
    if (image == nullptr) return true;
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
    return true;
}

bool openRenderer(Renderer& renderer) {
    renderer.font = TTF_OpenFont(FONT_FILE, FONT_PIXELS);
    renderer.layoutFont = TTF_OpenFont(FONT_FILE, FONT_PIXELS);
    if (renderer.font == nullptr || renderer.layoutFont == nullptr) return false;
    TTF_SetFontHinting(renderer.font, TTF_HINTING_MONO);
    TTF_SetFontHinting(renderer.layoutFont, TTF_HINTING_NONE);
    renderer.toUnicode = iconv_open("UTF-32LE", "CP932");
    return renderer.toUnicode != NO_ICONV;
}

void closeRenderer(Renderer& renderer) {
    if (renderer.font != nullptr) TTF_CloseFont(renderer.font);
    if (renderer.layoutFont != nullptr) TTF_CloseFont(renderer.layoutFont);
    if (renderer.toUnicode != NO_ICONV) iconv_close(renderer.toUnicode);
    renderer = Renderer{};
}

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

struct CodedGlyph {
    uint16_t code;
    RenderedGlyph glyph;
};

// Every code in rising order: the single bytes that are no lead byte, then
// every lead and trail pair.
std::vector<CodedGlyph> renderAll(const Renderer& with) {
    std::vector<CodedGlyph> all;
    for (uint32_t code = 0; code <= 0xFFFF; ++code) {
        if (glyphfile::slotOfCode(code) < 0) continue;
        char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code)};
        const bool single = code < 0x100;
        CodedGlyph coded{static_cast<uint16_t>(code), {}};
        if (renderGlyph(with, coded.glyph, codePointOf(with, single ? bytes + 1 : bytes, single ? 1 : 2)))
            all.push_back(coded);
    }
    return all;
}

}  // namespace

bool writeGlyphFile(const std::string& path) {
    if (TTF_Init() != 0) return false;
    Renderer renderer;
    std::vector<CodedGlyph> glyphs;
    int height = 0;
    if (openRenderer(renderer)) {
        glyphs = renderAll(renderer);
        height = TTF_FontHeight(renderer.font);
        if (height > Glyph::MAX_ROWS) height = Glyph::MAX_ROWS;
    }
    closeRenderer(renderer);
    TTF_Quit();
    if (glyphs.empty() || height <= 0) return false;

    // Rows are drawn down to the font height only; they keep as many bytes
    // as the widest glyph needs.
    uint32_t inked = 0;
    for (const CodedGlyph& coded : glyphs) {
        for (int y = 0; y < height; ++y) inked |= coded.glyph.rows[y];
        if (coded.glyph.advance64 < 0 || coded.glyph.advance64 > 0xFFFF) return false;
    }
    int rowBytes = 1;
    while (rowBytes < glyphfile::MAX_ROW_BYTES && (inked >> (8 * rowBytes)) != 0) ++rowBytes;

    std::vector<uint8_t> out(glyphfile::MAGIC, glyphfile::MAGIC + 4);
    put16(out, glyphfile::VERSION);
    put16(out, static_cast<uint32_t>(height));
    put16(out, static_cast<uint32_t>(rowBytes));
    put16(out, 0);
    put16(out, static_cast<uint32_t>(glyphs.size()));
    put16(out, static_cast<uint32_t>(glyphs.size() >> 16));
    for (const CodedGlyph& coded : glyphs) {
        put16(out, coded.code);
        put16(out, static_cast<uint32_t>(coded.glyph.advance64));
        for (int y = 0; y < height; ++y) {
            for (int b = 0; b < rowBytes; ++b) out.push_back(static_cast<uint8_t>(coded.glyph.rows[y] >> (8 * b)));
        }
    }
    const uint32_t check = glyphfile::crc32(out.data(), out.size());
    put16(out, check);
    put16(out, check >> 16);
    return bmpfile::writeFile(path, out);
}

}  // namespace fontfile
