// SPDX-License-Identifier: GPL-2.0-or-later
// The game font: text drawn from the glyph file of data/.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "core/devices.h"
#include "core/draw_context.h"
#include "core/main_loop.h"
#include "core/text_glyphs.h"
#include "support/test_platform.h"
#include "support/test_support.h"

using namespace testing_support;

extern const char GAME_TEXT_GLYPHS[];

namespace {
namespace fs = std::filesystem;

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
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 100);
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
    for (int row = 0; row < devices.backBuffer.height; ++row) {
        hash =
            fnv1a(hash, devices.backBuffer.pixels + row * devices.backBuffer.pitch, devices.backBuffer.width);
    }
    for (const char* sample : SAMPLES) hash = fnv1a(hash, textWidth(sample));
    return fnv1a(hash, textHeight());
}

// The font read again from a data/ holding only `bytes` as its glyph file (or none).
bool openGlyphFile(const std::string& bytes, bool missing = false) {
    static int runs = 0;
    const fs::path folder = fs::temp_directory_path() / ("kabuglyphs-" + std::to_string(processNumber()) + "-" + std::to_string(runs++));
    fs::remove_all(folder);
    fs::create_directories(folder / "data");
    if (!missing) {
        std::FILE* out = std::fopen((folder / "data" / "glyphs.bin").string().c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    closeTextFont();
    const bool opened = loadTextFont(backend().files) == FontFile::Loaded;
    fs::current_path(previous);
    fs::remove_all(folder);
    return opened;
}

void put16(std::string& bytes, size_t at, uint32_t value) {
    bytes[at] = static_cast<char>(value);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

uint32_t get16(const std::string& bytes, size_t at) {
    return static_cast<uint8_t>(bytes[at]) | static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8;
}

// The checksum of the bytes before the last four written over them.
std::string sealed(std::string bytes) {
    const uint32_t check = glyphfile::crc32(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size() - 4);
    put16(bytes, bytes.size() - 4, check);
    put16(bytes, bytes.size() - 2, check >> 16);
    return bytes;
}

// Without a font nothing is measured or drawn, whatever the text.
void expectNoText() {
    EXPECT_EQ(textHeight(), 0);
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 100);
    getDC();
    for (const char* sample : SAMPLES) {
        EXPECT_EQ(textWidth(sample), 0);
        textOut(3, 4, sample);
    }
    releaseDC();
    for (int i = 0; i < 640 * 480; ++i) ASSERT_EQ(devices.backBuffer.pixels[i], 100);
}
}  // namespace

TEST(TextGlyphs, DrawTheSamePixelsAsTheFontDid) {
    freshStartedRun();
    EXPECT_EQ(drawSamples(), 0xf60f3380u);
}

// Printable ASCII and every character in the game's sources have a glyph of
// their own: present, with an advance, and not the font's box for characters
// it lacks (which control codes draw).
TEST(TextGlyphs, HoldEveryCharacterTheGameShows) {
    freshStartedRun();
    int pos = 0;
    const Glyph box = *nextGlyph("\x01", 1, &pos);
    ASSERT_TRUE(box.present);
    char ascii[0x7F - 0x20];
    for (int c = 0x20; c < 0x7F; ++c) ascii[c - 0x20] = static_cast<char>(c);
    const std::string texts[] = {std::string(ascii, sizeof ascii), GAME_TEXT_GLYPHS};
    int characters = 0;
    for (const std::string& text : texts) {
        const int length = static_cast<int>(text.size());
        for (pos = 0; pos < length; ++characters) {
            const Glyph* glyph = nextGlyph(text.data(), length, &pos);
            ASSERT_NE(glyph, nullptr);
            EXPECT_TRUE(glyph->present) << "no glyph before byte " << pos;
            EXPECT_GT(glyph->advance64, 0) << "no advance before byte " << pos;
            EXPECT_NE(std::memcmp(glyph->rows, box.rows, sizeof box.rows), 0) << "a box before byte " << pos;
        }
    }
    EXPECT_GT(characters, 95 + 300);
}

// A glyph file missing, cut short, too long or changed in any byte (its CRC-32
// at the end), or wrong in its header or codes under a checksum written again,
// loads nothing and reads nothing outside it; text then draws nothing.
TEST(TextGlyphs, DamagedFilesLoadNothing) {
    freshRun();
    const std::string real = readFile(std::string(KABU_BINARY_DIR) + "/data/glyphs.bin");
    ASSERT_GT(real.size(), 16u);
    const size_t height = get16(real, 6);
    const size_t record = 4 + height * get16(real, 8);
    startup();
    EXPECT_EQ(glyphfile::crc32(reinterpret_cast<const uint8_t*>("123456789"), 9), 0xCBF43926u);  // check value

    EXPECT_FALSE(openGlyphFile("", true));
    expectNoText();
    for (size_t size : {size_t{0}, size_t{1}, size_t{15}, size_t{16}, size_t{17}, 16 + record - 1, real.size() - 1}) {
        EXPECT_FALSE(openGlyphFile(real.substr(0, size))) << size;
        expectNoText();
    }
    EXPECT_FALSE(openGlyphFile(real + '\0'));
    EXPECT_FALSE(openGlyphFile(sealed(real + std::string(record, '\0'))));
    std::string huge = real.substr(0, 16);  // the largest count, height and rows, one byte over
    put16(huge, 6, Glyph::MAX_ROWS);
    put16(huge, 8, 4);
    put16(huge, 12, glyphfile::SLOTS);
    huge.resize(glyphfile::MAX_FILE_BYTES + 1, '\0');
    EXPECT_FALSE(openGlyphFile(huge));
    expectNoText();

    struct Damage {
        size_t at;
        uint32_t value;
    };
    const size_t second = 16 + record;
    const Damage damages[] = {
        {0, 'X' | 'G' << 8},               // magic
        {4, 1},                            // version
        {6, 0},                            // height
        {6, Glyph::MAX_ROWS + 1},          //
        {8, 0},                            // bytes per row
        {8, 5},                            //
        {10, 1},                           // reserved
        {12, get16(real, 12) + 1},         // count
        {14, 1},                           //
        {16, get16(real, second)},         // a code twice
        {second, get16(real, 16) - 1},     // codes out of order (the first is no NUL)
        {second, 0x81},                    // a lone lead byte
        {second, 0x813F},                  // a trail byte out of range
        {second, 0x7F40},                  // no lead byte
        {16 + (get16(real, 12) - 1) * record, 0xFCFD},  // past the last code
    };
    for (const Damage& damage : damages) {
        std::string bytes = real;
        put16(bytes, damage.at, damage.value);
        EXPECT_FALSE(openGlyphFile(sealed(bytes))) << damage.at << " " << damage.value;
        expectNoText();
    }

    // A byte changed anywhere, bitmaps, advances and the checksum too.
    std::mt19937 flips(7);
    for (int i = 0; i < 60; ++i) {
        std::string bytes = real;
        bytes[i < 4 ? real.size() - 1 - i : flips() % bytes.size()] ^= static_cast<char>(1 + flips() % 255);
        EXPECT_FALSE(openGlyphFile(bytes));
        expectNoText();
    }

    EXPECT_TRUE(openGlyphFile(real));
    EXPECT_EQ(drawSamples(), 0xf60f3380u);
}
