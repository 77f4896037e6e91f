// The game font: text drawn from the glyphs of data/.
#include <gtest/gtest.h>

#include <cstdint>

#include "shell/draw_context.h"
#include "shell/platform.h"
#include "support/test_support.h"

using namespace testing_support;

namespace {
// Strings that cover every kind of code page 932 text: ASCII, kana, kanji,
// half-width kana, NEC specials, a broken double-byte code, single bytes
// and a double-byte code that name no character, and a dangling lead byte.
const char* const SAMPLES[] = {
    "Mr.Pickle 2003/01/02 $1,234,567 ~\\|",
    "ひらがな　カタカナ",
    "株式会社購入売却支援",
    "ｶﾌﾞｼﾑ ｧｨｩ",
    "①②⑳㈱№∑",
    "A\x82\x01" "B",
    "\x80\xA0\xFD\xFE\xFF|\x85\x40|\x7F",
    "end\x82",
};

uint32_t fnv1a(uint32_t hash, const uint8_t* bytes, int count) {
    for (int i = 0; i < count; ++i) hash = (hash ^ bytes[i]) * 16777619u;
    return hash;
}

uint32_t fnv1a(uint32_t hash, int32_t value) {
    uint8_t bytes[4];
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    return fnv1a(hash, bytes, 4);
}

// Draws every sample opaque, then transparent (once more cut by the right edge),
// and hashes the back buffer with the widths and the height.
uint32_t drawSamples() {
    PaletteEntry grey[256];
    for (int i = 0; i < 256; ++i) grey[i] = PaletteEntry{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    setDisplayPalette(grey);
    fillRect(backBuffer, Rect{0, 0, 640, 480}, 100);
    getDC();
    int y = 4;
    for (const char* sample : SAMPLES) {
        textOut(3, y, sample);
        y += 20;
    }
    setBkMode(BkMode::Transparent);
    setTextColor(200, 200, 200);
    y = 4;
    for (const char* sample : SAMPLES) {
        textOut(320, y + 3, sample);
        textOut(633, y, sample);  // clipped at the right edge
        y += 20;
    }
    releaseDC();
    uint32_t hash = 2166136261u;
    for (int row = 0; row < backBuffer.height; ++row) {
        hash = fnv1a(hash, backBuffer.pixels + row * backBuffer.pitch, backBuffer.width);
    }
    for (const char* sample : SAMPLES) hash = fnv1a(hash, textWidth(sample));
    return fnv1a(hash, textHeight());
}
}  // namespace

TEST(TextGlyphs, DrawTheSamePixelsAsTheFontDid) {
    freshStartedRun();
    EXPECT_EQ(drawSamples(), 0xf60f3380u);
}
