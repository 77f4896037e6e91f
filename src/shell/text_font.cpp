// The game font: code page 932 text drawn with IPAGothic at 13 pixels without
// anti-aliasing. Glyphs are rendered once and kept as bit masks. Rendering a
// glyph takes about a tenth of a millisecond, so at start-up a second thread
// renders every character of the game's texts before the frames need them.
#include <SDL.h>
#include <SDL_ttf.h>
#include <iconv.h>

#include <atomic>
#include <cstring>

#include "shell/draw_context.h"
#include "shell/platform.h"
#include "shell/text_glyphs.h"

extern const char GAME_TEXT_GLYPHS[];

namespace {
constexpr int FONT_PIXELS = 13;
constexpr const char* FONT_FILES[] = {
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
};
const iconv_t NO_ICONV = reinterpret_cast<iconv_t>(-1);

// One slot per single byte, then one per double-byte code (lead 0x81-0x9F or
// 0xE0-0xFC, trail 0x40-0xFC).
constexpr int SINGLE_SLOTS = 256;
constexpr int TRAIL_COUNT = 0xFD - 0x40;
constexpr int LEAD_COUNT = (0xA0 - 0x81) + (0xFD - 0xE0);
constexpr int GLYPH_SLOTS = SINGLE_SLOTS + LEAD_COUNT * TRAIL_COUNT;

Glyph glyphs[GLYPH_SLOTS];
int fontHeight = 0;

// What one thread renders with: FreeType faces may be used by one thread at
// a time, so each thread has its own pair and its own converter.
struct Renderer {
    TTF_Font* font = nullptr;        // hinted for crisp glyphs
    TTF_Font* layoutFont = nullptr;  // unhinted, for advances with their fraction
    iconv_t toUnicode = NO_ICONV;
};
Renderer frameRenderer;  // the game's thread
Renderer warmRenderer;   // the warming thread
SDL_Thread* warmThread = nullptr;
std::atomic<bool> warmStop{false};
int32_t renderedOnFrames = 0;  // glyphs a frame had to render itself

bool isLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

int slotOf(uint8_t lead, uint8_t trail) {
    const int leadIndex = lead <= 0x9F ? lead - 0x81 : (0xA0 - 0x81) + (lead - 0xE0);
    return SINGLE_SLOTS + leadIndex * TRAIL_COUNT + (trail - 0x40);
}

std::atomic_ref<Glyph::State> stateOf(Glyph& glyph) { return std::atomic_ref<Glyph::State>(glyph.state); }

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

// Fills the glyph's advance and rows; gives the state it ends in.
Glyph::State renderGlyph(const Renderer& with, Glyph& glyph, uint32_t codePoint) {
    if (with.font == nullptr || codePoint == 0) return Glyph::Missing;
    int minX, maxX, minY, maxY, advance;
    if (TTF_GlyphMetrics32(with.font, codePoint, &minX, &maxX, &minY, &maxY, &advance) != 0) return Glyph::Missing;
    const int32_t advance64 = advance64Of(with, codePoint);
    glyph.advance64 = advance64 >= 0 ? advance64 : advance * 64;
    if (codePoint == ' ' || codePoint == 0x3000) return Glyph::Ready;
    SDL_Surface* image = TTF_RenderGlyph32_Solid(with.font, codePoint, SDL_Color{255, 255, 255, 255});
    if (image == nullptr) return Glyph::Ready;
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
    return Glyph::Ready;
}

// The glyph in `slot`, rendered by whichever thread claims it first; the
// other waits for it. With `wait` false a slot claimed elsewhere is skipped.
const Glyph* glyphInSlot(const Renderer& with, int slot, const char* bytes, size_t size, bool wait) {
    Glyph& glyph = glyphs[slot];
    std::atomic_ref<Glyph::State> state = stateOf(glyph);
    Glyph::State seen = state.load(std::memory_order_acquire);
    if (seen == Glyph::Unknown && state.compare_exchange_strong(seen, Glyph::Claimed, std::memory_order_acquire)) {
        state.store(renderGlyph(with, glyph, codePointOf(with, bytes, size)), std::memory_order_release);
        if (&with == &frameRenderer) ++renderedOnFrames;
        return &glyph;
    }
    while (wait && state.load(std::memory_order_acquire) == Glyph::Claimed) SDL_Delay(0);
    return &glyph;
}

// Steps through a code page 932 text one character at a time: the slot of the
// character at text[*pos] and its size in bytes; -1 for a broken double-byte
// code (one byte long), -2 at the end.
int slotAt(const char* text, int length, int pos, int* size) {
    if (pos >= length) return -2;
    const uint8_t lead = static_cast<uint8_t>(text[pos]);
    if (!isLeadByte(lead)) {
        *size = 1;
        return lead;
    }
    if (pos + 1 >= length) return -2;
    const uint8_t trail = static_cast<uint8_t>(text[pos + 1]);
    *size = 1;
    if (trail < 0x40 || trail > 0xFC) return -1;
    *size = 2;
    return slotOf(lead, trail);
}

void warmText(const char* text) {
    const int length = static_cast<int>(std::strlen(text));
    int size = 1;
    for (int pos = 0; !warmStop.load(std::memory_order_relaxed); pos += size) {
        const int slot = slotAt(text, length, pos, &size);
        if (slot == -2) return;
        if (slot >= 0) glyphInSlot(warmRenderer, slot, text + pos, static_cast<size_t>(size), false);
    }
}

int warmGlyphs(void*) {
    SDL_SetThreadPriority(SDL_THREAD_PRIORITY_LOW);  // start-up itself goes first
    char ascii[0x7F - 0x20 + 1];
    for (int c = 0x20; c < 0x7F; ++c) ascii[c - 0x20] = static_cast<char>(c);
    ascii[0x7F - 0x20] = '\0';
    warmText(ascii);
    warmText(GAME_TEXT_GLYPHS);
    return 0;
}

bool openRenderer(Renderer& renderer, const char* path) {
    renderer.font = TTF_OpenFont(path, FONT_PIXELS);
    renderer.layoutFont = TTF_OpenFont(path, FONT_PIXELS);
    if (renderer.font == nullptr || renderer.layoutFont == nullptr) return false;
    TTF_SetFontHinting(renderer.font, TTF_HINTING_MONO);
    TTF_SetFontHinting(renderer.layoutFont, TTF_HINTING_NONE);
    renderer.toUnicode = iconv_open("UTF-32LE", "CP932");
    return true;
}

void closeRenderer(Renderer& renderer) {
    if (renderer.font != nullptr) TTF_CloseFont(renderer.font);
    if (renderer.layoutFont != nullptr) TTF_CloseFont(renderer.layoutFont);
    if (renderer.toUnicode != NO_ICONV) iconv_close(renderer.toUnicode);
    renderer = Renderer{};
}
}  // namespace

bool openTextFont() {
    if (frameRenderer.font != nullptr) return true;
    if (TTF_WasInit() == 0 && TTF_Init() != 0) return false;
    const char* path = nullptr;
    for (const char* candidate : FONT_FILES) {
        if (openRenderer(frameRenderer, candidate)) {
            path = candidate;
            break;
        }
        closeRenderer(frameRenderer);
    }
    if (path == nullptr) return false;
    fontHeight = TTF_FontHeight(frameRenderer.font);
    if (fontHeight > Glyph::MAX_ROWS) fontHeight = Glyph::MAX_ROWS;
    // Faces are opened on this thread only; the warming thread just renders.
    if (openRenderer(warmRenderer, path)) {
        warmStop.store(false);
        warmThread = SDL_CreateThread(warmGlyphs, "glyphs", nullptr);
    }
    return true;
}

void finishGlyphWarming() {
    if (warmThread != nullptr) SDL_WaitThread(warmThread, nullptr);
    warmThread = nullptr;
}

void closeTextFont() {
    warmStop.store(true);
    finishGlyphWarming();
    closeRenderer(warmRenderer);
    closeRenderer(frameRenderer);
    std::memset(static_cast<void*>(glyphs), 0, sizeof glyphs);
    renderedOnFrames = 0;
}

int32_t glyphsRenderedOnFrames() { return renderedOnFrames; }

int textHeight() { return fontHeight; }

const Glyph* nextGlyph(const char* text, int length, int* pos) {
    int size = 1;
    const int slot = slotAt(text, length, *pos, &size);
    if (slot == -2) {
        *pos = length;
        return nullptr;
    }
    const char* bytes = text + *pos;
    *pos += size;
    if (slot == -1) {
        static const Glyph blank{};
        return &blank;
    }
    return glyphInSlot(frameRenderer, slot, bytes, static_cast<size_t>(size), true);
}

int textWidth(const char* text, int length) {
    int32_t width64 = 0;
    int pos = 0;
    while (const Glyph* glyph = nextGlyph(text, length, &pos)) width64 += glyph->advance64;
    return (width64 + 63) / 64;
}

int textWidth(const char* text) { return textWidth(text, static_cast<int>(std::strlen(text))); }
