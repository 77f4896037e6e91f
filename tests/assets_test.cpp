// SPDX-License-Identifier: GPL-2.0-or-later
// The generated data/ folder: bitmap files, the shared palette, the sprite
// sheet's rectangles and colour key, what the backgrounds show where the scenes
// draw, and the four MIDI pieces.
#include <SDL.h>
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "../tools/assetgen/bmp_file.h"
#include "../tools/assetgen/sheet_layout.h"
#include "frontend/rank_table.h"

namespace {

const std::string DATA = std::string(KABU_BINARY_DIR) + "/data/";

struct FileSize {
    const char* name;
    int width, height;
};
const FileSize BITMAPS[] = {
    {"gamemain.BMP", 640, 480}, {"char.BMP", 800, 726},   {"syasin.BMP", 500, 500},
    {"uke.BMP", 640, 480},      {"kounyu.BMP", 640, 480}, {"shien.BMP", 640, 480},
    {"hyosho.BMP", 640, 480},   {"over.BMP", 640, 480},   {"edit.BMP", 640, 480},
    {"ranking.BMP", 640, 480},  {"title.BMP", 640, 480},  {"grfback.BMP", 640, 480},
};
const char* const MUSIC[] = {"title.mid", "edit.mid", "main.mid", "2ofus.MID"};

// Every bitmap decoded once.
const bmpfile::Image& image(const std::string& name) {
    static std::map<std::string, bmpfile::Image> cache;
    auto found = cache.find(name);
    if (found != cache.end()) return found->second;
    bmpfile::Image decoded;
    std::string why;
    const bool ok = bmpfile::decode(bmpfile::readFile(DATA + name), decoded, &why);
    EXPECT_TRUE(ok) << name << ": " << why;
    return cache.emplace(name, decoded).first->second;
}

uint8_t pixel(const bmpfile::Image& img, int x, int y) {
    return img.pixels[static_cast<size_t>(y) * img.width + x];
}

int luminance(const bmpfile::Image& img, int x, int y) {
    const uint8_t* c = img.palette[pixel(img, x, y)];
    return (c[0] * 3 + c[1] * 6 + c[2]) / 10;
}

// Mean luminance of a box (right and bottom exclusive).
int meanLuminance(const bmpfile::Image& img, int x0, int y0, int x1, int y1) {
    long sum = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) sum += luminance(img, x, y);
    }
    return static_cast<int>(sum / ((x1 - x0) * (y1 - y0)));
}

bool hasColour(const bmpfile::Image& img, int r, int g, int b) {
    for (int i = 0; i < 256; ++i) {
        if (img.palette[i][0] == r && img.palette[i][1] == g && img.palette[i][2] == b) return true;
    }
    return false;
}

// ---------------------------------------------------------------- bitmaps

TEST(AssetBitmaps, EveryFileHasItsSizeAndEightBitsWithAFullColourTable) {
    for (const FileSize& f : BITMAPS) {
        const bmpfile::Image& img = image(f.name);
        EXPECT_EQ(img.width, f.width) << f.name;
        EXPECT_EQ(img.height, f.height) << f.name;
    }
}

TEST(AssetBitmaps, AllTwelveShareOnePaletteWithTheFixedEntries) {
    const bmpfile::Image& first = image(BITMAPS[0].name);
    for (const FileSize& f : BITMAPS) {
        const bmpfile::Image& img = image(f.name);
        for (int i = 0; i < 256; ++i) {
            for (int k = 0; k < 3; ++k)
                ASSERT_EQ(img.palette[i][k], first.palette[i][k]) << f.name << " entry " << i;
        }
    }
    const auto& p = first.palette;
    EXPECT_EQ(p[0][0] | p[0][1] | p[0][2], 0);
    EXPECT_EQ(p[255][0] & p[255][1] & p[255][2], 255);
    // The text and highlight colours of the scenes are exact entries.
    EXPECT_TRUE(hasColour(first, 255, 0, 0));
    EXPECT_TRUE(hasColour(first, 255, 255, 0));
    EXPECT_TRUE(hasColour(first, 0, 255, 255));
    EXPECT_TRUE(hasColour(first, 150, 55, 255));
    EXPECT_TRUE(hasColour(first, 255, 160, 255));
    // The key colour is unlike every other entry, so no nearest-colour search of
    // a drawn colour can land on it.
    for (int i = 0; i < 254; ++i) {
        const int d =
            std::abs(p[i][0] - p[254][0]) + std::abs(p[i][1] - p[254][1]) + std::abs(p[i][2] - p[254][2]);
        EXPECT_GT(d, 2) << "entry " << i << " is the key colour";
    }
    // Enough greys for the staff roll's fades: at least 32 levels.
    int greys = 0;
    for (int i = 0; i < 256; ++i) {
        if (i != 254 && p[i][0] == p[i][1] && p[i][1] == p[i][2]) ++greys;
    }
    EXPECT_GE(greys, 32);
}

TEST(AssetBitmaps, OnlyTheSpriteSheetUsesTheColourKey) {
    for (const FileSize& f : BITMAPS) {
        if (std::string(f.name) == "char.BMP") continue;
        const bmpfile::Image& img = image(f.name);
        int keyed = 0;
        for (uint8_t v : img.pixels) keyed += v == 254;
        EXPECT_EQ(keyed, 0) << f.name;
    }
}

TEST(AssetBitmaps, EveryPictureIsAWholePicture) {
    // The backgrounds are whole pictures: no flat single-colour file.
    for (const FileSize& f : BITMAPS) {
        const bmpfile::Image& img = image(f.name);
        std::vector<bool> used(256, false);
        int distinct = 0;
        for (uint8_t v : img.pixels) {
            if (!used[v]) ++distinct;
            used[v] = true;
        }
        // The name-entry picture is a pale pattern of a few tints on purpose.
        EXPECT_GE(distinct, std::string(f.name) == "edit.BMP" ? 4 : 16) << f.name;
    }
}

TEST(AssetBitmaps, TheGeneratorWritesTheSameFilesEveryTime) {
    const std::string again = testing::TempDir() + "assets_again";
    const std::string command = std::string(KABU_BINARY_DIR) + "/assetgen " + again;
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const FileSize& f : BITMAPS) {
        EXPECT_TRUE(bmpfile::readFile(again + "/" + f.name) == bmpfile::readFile(DATA + f.name)) << f.name;
    }
    for (const char* name : MUSIC) {
        EXPECT_TRUE(bmpfile::readFile(again + "/" + name) == bmpfile::readFile(DATA + name)) << name;
    }
}

// ---------------------------------------------------------------- sprite sheet

TEST(AssetSpriteSheet, EveryNamedRectangleHoldsArtAndTheRestIsKey) {
    const bmpfile::Image& sheetImage = image("char.BMP");
    std::vector<bool> named(static_cast<size_t>(sheet::WIDTH) * sheet::HEIGHT, false);
    for (const sheet::SheetRect& r : sheet::ALL) {
        ASSERT_LT(r.left, r.right) << r.name;
        ASSERT_LT(r.top, r.bottom) << r.name;
        ASSERT_LE(r.right, sheet::WIDTH) << r.name;
        ASSERT_LE(r.bottom, sheet::HEIGHT) << r.name;
        int opaque = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                named[static_cast<size_t>(y) * sheet::WIDTH + x] = true;
                opaque += pixel(sheetImage, x, y) != 254;
            }
        }
        const int area = (r.right - r.left) * (r.bottom - r.top);
        // Buttons, icons and plates fill most of their box; the cursor, the
        // strips and the stamps' corners leave room around them.
        EXPECT_GE(opaque * 100, area * 20) << r.name;
    }
    int stray = 0;
    for (int y = 0; y < sheet::HEIGHT; ++y) {
        for (int x = 0; x < sheet::WIDTH; ++x) {
            if (!named[static_cast<size_t>(y) * sheet::WIDTH + x] && pixel(sheetImage, x, y) != 254) ++stray;
        }
    }
    EXPECT_EQ(stray, 0);
}

TEST(AssetSpriteSheet, ClassIconsAreTheRankingTablesRectangles) {
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(classIconRects[i].left, sheet::CLASS_ICONS[i].left) << i;
        EXPECT_EQ(classIconRects[i].top, sheet::CLASS_ICONS[i].top) << i;
        EXPECT_EQ(classIconRects[i].right, sheet::CLASS_ICONS[i].right) << i;
        EXPECT_EQ(classIconRects[i].bottom, sheet::CLASS_ICONS[i].bottom) << i;
    }
}

TEST(AssetSpriteSheet, CursorTipIsItsTopLeftPixel) {
    const bmpfile::Image& s = image("char.BMP");
    const sheet::SheetRect& c = sheet::CURSOR;
    EXPECT_NE(pixel(s, c.left, c.top), 254);
    EXPECT_EQ(pixel(s, c.left + 1, c.top), 254);  // the arrow widens downwards
    EXPECT_EQ(pixel(s, c.right - 1, c.top), 254);
    EXPECT_NE(pixel(s, c.left, c.top + 10), 254);
    // Black outline around a white body.
    EXPECT_LT(luminance(s, c.left, c.top), 40);
    EXPECT_GT(luminance(s, c.left + 2, c.top + 6), 200);
}

int differingPixels(const sheet::SheetRect& a, const sheet::SheetRect& b) {
    const bmpfile::Image& s = image("char.BMP");
    int differ = 0;
    for (int y = 0; y < a.bottom - a.top; ++y) {
        for (int x = 0; x < a.right - a.left; ++x) {
            differ += pixel(s, a.left + x, a.top + y) != pixel(s, b.left + x, b.top + y);
        }
    }
    return differ;
}

TEST(AssetSpriteSheet, PressedAndDisabledImagesDifferFromNormalAndPressedIsDarker) {
    struct Pair {
        sheet::SheetRect normal, other;
    };
    const Pair pairs[] = {
        {sheet::PREV, sheet::PREV_PRESSED},         {sheet::NEXT, sheet::NEXT_PRESSED},
        {sheet::ADD, sheet::ADD_PRESSED},           {sheet::REMOVE, sheet::REMOVE_PRESSED},
        {sheet::DECIDE, sheet::DECIDE_PRESSED},     {sheet::BACK, sheet::BACK_PRESSED},
        {sheet::NEXT_DAY, sheet::NEXT_DAY_PRESSED}, {sheet::PREV, sheet::PREV_DISABLED},
        {sheet::NEXT, sheet::NEXT_DISABLED},
    };
    const bmpfile::Image& s = image("char.BMP");
    for (const Pair& p : pairs) {
        const int area = (p.normal.right - p.normal.left) * (p.normal.bottom - p.normal.top);
        EXPECT_GT(differingPixels(p.normal, p.other) * 4, area) << p.normal.name << " / " << p.other.name;
    }
    for (int i = 0; i < 7; ++i) {
        const Pair& p = pairs[i];
        const int w = p.normal.right - p.normal.left - 2, h = p.normal.bottom - p.normal.top - 2;
        EXPECT_LT(meanLuminance(s, p.other.left + 1, p.other.top + 1, p.other.left + w, p.other.top + h),
                  meanLuminance(s, p.normal.left + 1, p.normal.top + 1, p.normal.left + w, p.normal.top + h))
            << p.other.name;
    }
    // Disabled arrows are grey: little colour left.
    for (const sheet::SheetRect& r : {sheet::PREV_DISABLED, sheet::NEXT_DISABLED}) {
        long spread = 0;
        for (int y = r.top + 4; y < r.bottom - 4; ++y) {
            for (int x = r.left + 4; x < r.right - 4; ++x) {
                const uint8_t* c = s.palette[pixel(s, x, y)];
                spread += std::max({c[0], c[1], c[2]}) - std::min({c[0], c[1], c[2]});
            }
        }
        EXPECT_LT(spread / ((r.right - r.left - 8) * (r.bottom - r.top - 8)), 24) << r.name;
    }
}

TEST(AssetSpriteSheet, ButtonsAreOpaqueWhereTheyAreClicked) {
    // The centre of every button is solid, so a click lands on a visible button.
    for (const sheet::SheetRect& r :
         {sheet::BUY, sheet::HOLDINGS, sheet::SUPPORT, sheet::SAVE, sheet::GRAPH, sheet::NEXT_DAY,
          sheet::PREV, sheet::NEXT, sheet::ADD, sheet::REMOVE, sheet::DECIDE, sheet::BACK, sheet::SELL,
          sheet::HOLDINGS_BACK, sheet::RANKING_BACK, sheet::GRAPH_BUY}) {
        const bmpfile::Image& s = image("char.BMP");
        for (int y = r.top + 3; y < r.bottom - 3; ++y) {
            for (int x = r.left + 4; x < r.right - 4; ++x)
                ASSERT_NE(pixel(s, x, y), 254) << r.name << " " << x << "," << y;
        }
    }
}

// ---------------------------------------------------------------- backgrounds

TEST(AssetBackgrounds, TitleMarksItsStartAndRankingAreasExactly) {
    const bmpfile::Image& t = image("title.BMP");
    for (const sheet::Area& a : {sheet::TITLE_START, sheet::TITLE_RANKING}) {
        const uint8_t frame = pixel(t, a.left, a.top);
        // The frame runs along the inclusive bounds of the hit area...
        for (int x = a.left; x <= a.right; ++x) {
            ASSERT_EQ(pixel(t, x, a.top), frame) << x;
            ASSERT_EQ(pixel(t, x, a.bottom), frame) << x;
        }
        for (int y = a.top; y <= a.bottom; ++y) {
            ASSERT_EQ(pixel(t, a.left, y), frame) << y;
            ASSERT_EQ(pixel(t, a.right, y), frame) << y;
        }
        // ...and not one pixel beyond it.
        int outside = 0;
        for (int x = a.left - 1; x <= a.right + 1; ++x) outside += pixel(t, x, a.top - 1) == frame;
        for (int y = a.top - 1; y <= a.bottom + 1; ++y) outside += pixel(t, a.left - 1, y) == frame;
        EXPECT_EQ(outside, 0);
        EXPECT_GT(luminance(t, a.left, a.top), 150);  // a bright frame
    }
}

TEST(AssetBackgrounds, MarketRowsAreLightUnderBlackTextAndTheNewsBandIsDark) {
    const bmpfile::Image& m = image("gamemain.BMP");
    for (int slot = 0; slot < 30; ++slot) {
        const int y = 18 + 40 * (slot % 10);
        const int nameX = 10 + 180 * (slot / 10);
        const int priceX = 157 + 180 * (slot / 10);
        EXPECT_GT(meanLuminance(m, nameX, y, nameX + 120, y + 13), 190) << slot;
        EXPECT_GT(meanLuminance(m, priceX, y, priceX + 21, y + 13), 190) << slot;
    }
    EXPECT_GT(meanLuminance(m, 550, 377, 610, 390), 190);  // unit label
    EXPECT_GT(meanLuminance(m, 60, 412, 190, 428), 190);   // name
    EXPECT_GT(meanLuminance(m, 200, 408, 460, 423), 190);  // share value
    EXPECT_GT(meanLuminance(m, 315, 431, 460, 446), 190);  // cash
    EXPECT_GT(meanLuminance(m, 510, 408, 630, 443), 190);  // date and years left
    EXPECT_LT(meanLuminance(m, 0, 459, 640, 475), 40);     // news ticker
}

TEST(AssetBackgrounds, TradingScreensAreDarkWhereTheirLightTextsGo) {
    struct Spot {
        const char* file;
        int x, y, w;
    };
    const Spot spots[] = {
        {"kounyu.BMP", 150, 90, 150},   {"kounyu.BMP", 200, 150, 150},  {"kounyu.BMP", 250, 210, 300},
        {"kounyu.BMP", 505, 417, 100},  {"kounyu.BMP", 460, 440, 150},  {"uke.BMP", 292, 93, 60},
        {"uke.BMP", 400, 177, 60},      {"uke.BMP", 400, 219, 100},     {"uke.BMP", 435, 237, 90},
        {"shien.BMP", 150, 290, 250},   {"shien.BMP", 200, 330, 200},   {"shien.BMP", 470, 410, 140},
        {"ranking.BMP", 170, 150, 270}, {"ranking.BMP", 170, 430, 270}, {"over.BMP", 0, 0, 640},
    };
    for (const Spot& s : spots) {
        EXPECT_LT(meanLuminance(image(s.file), s.x, s.y, s.x + s.w, s.y + 13), 110)
            << s.file << " " << s.x << "," << s.y;
    }
    // The certificate is light paper under its black and red texts.
    EXPECT_GT(meanLuminance(image("hyosho.BMP"), 100, 50, 190, 63), 200);
    EXPECT_GT(meanLuminance(image("hyosho.BMP"), 200, 187, 400, 200), 200);
    EXPECT_GT(meanLuminance(image("hyosho.BMP"), 150, 207, 400, 220), 200);
}

TEST(AssetBackgrounds, GraphPaperHasItsGridOnTheLinesTheGraphUses) {
    const bmpfile::Image& g = image("grfback.BMP");
    const uint8_t paper = pixel(g, 60, 345);
    // The start level y = 335 is ruled across the plotting area.
    for (int x = 52; x < 566; ++x) ASSERT_NE(pixel(g, x, 335), paper) << x;
    // A line every 40 pixels from x = 50 to 570, and every 20 pixels from 335.
    for (int x = 50; x <= 570; x += 40) EXPECT_NE(pixel(g, x, 300), paper) << x;
    for (int y = 15; y < 480; y += 20) EXPECT_NE(pixel(g, 200, y), paper) << y;
    EXPECT_GT(luminance(g, 60, 345), 220);
    // The button column is dark behind the buttons at x = 571.
    EXPECT_LT(meanLuminance(g, 571, 0, 640, 480), 80);
}

TEST(AssetBackgrounds, NameEntryPictureTilesSeamlessly) {
    const bmpfile::Image& e = image("edit.BMP");
    auto columnDifference = [&](int a, int b) {
        long sum = 0;
        for (int y = 0; y < 480; ++y) sum += std::abs(luminance(e, a, y) - luminance(e, b, y));
        return sum;
    };
    auto rowDifference = [&](int a, int b) {
        long sum = 0;
        for (int x = 0; x < 640; ++x) sum += std::abs(luminance(e, x, a) - luminance(e, x, b));
        return sum;
    };
    long worstColumn = 0, worstRow = 0;
    for (int x = 1; x < 640; ++x) worstColumn = std::max(worstColumn, columnDifference(x - 1, x));
    for (int y = 1; y < 480; ++y) worstRow = std::max(worstRow, rowDifference(y - 1, y));
    EXPECT_LE(columnDifference(639, 0), worstColumn);
    EXPECT_LE(rowDifference(479, 0), worstRow);
    // Pale enough for the black keyboard and panels.
    EXPECT_GT(meanLuminance(e, 0, 0, 640, 480), 200);
}

TEST(AssetBackgrounds, ThirteenPhotographsSitWhereTheStaffRollTakesThem) {
    const bmpfile::Image& s = image("syasin.BMP");
    const int places[13][2] = {{0, 0},     {0, 120},   {0, 240},   {0, 360}, {120, 0},
                               {120, 120}, {120, 240}, {120, 360}, {240, 0}, {240, 120},
                               {240, 240}, {240, 360}, {360, 240}};
    for (const auto& p : places) {
        std::vector<bool> used(256, false);
        int distinct = 0;
        for (int y = p[1]; y < p[1] + 120; ++y) {
            for (int x = p[0]; x < p[0] + 120; ++x) {
                if (!used[pixel(s, x, y)]) ++distinct;
                used[pixel(s, x, y)] = true;
            }
        }
        EXPECT_GE(distinct, 12) << p[0] << "," << p[1];
        EXPECT_GT(meanLuminance(s, p[0], p[1], p[0] + 120, p[1] + 120), 60);
    }
}

// ---------------------------------------------------------------- music

struct MidiSummary {
    bool ok = false;
    std::string why;
    int format = -1;
    int tracks = 0;
    double seconds = 0;
    int notes = 0;
    int hangingNotes = 0;
    bool drums = false;
};

uint32_t readVarLen(const std::vector<uint8_t>& b, size_t& pos, size_t end, bool& bad) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        if (pos >= end) {
            bad = true;
            return 0;
        }
        const uint8_t byte = b[pos++];
        v = (v << 7) | (byte & 0x7F);
        if ((byte & 0x80) == 0) return v;
    }
    bad = true;
    return 0;
}

// A strict reader: header, chunk lengths, every event, end-of-track last.
MidiSummary readMidi(const std::string& path) {
    MidiSummary m;
    const std::vector<uint8_t> b = bmpfile::readFile(path);
    auto be16 = [&](size_t p) { return (b[p] << 8) | b[p + 1]; };
    auto be32 = [&](size_t p) {
        return (uint32_t{b[p]} << 24) | (b[p + 1] << 16) | (b[p + 2] << 8) | b[p + 3];
    };
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || be32(4) != 6) {
        m.why = "no MThd header";
        return m;
    }
    m.format = be16(8);
    const int declared = be16(10);
    const int division = be16(12);
    if ((division & 0x8000) != 0 || division == 0) {
        m.why = "not a ticks-per-quarter division";
        return m;
    }
    std::map<uint32_t, uint32_t> tempo;  // tick -> microseconds per quarter
    uint32_t lastTick = 0;
    size_t pos = 14;
    while (pos < b.size()) {
        if (pos + 8 > b.size() || std::string(b.begin() + pos, b.begin() + pos + 4) != "MTrk") {
            m.why = "bad chunk";
            return m;
        }
        const size_t end = pos + 8 + be32(pos + 4);
        if (end > b.size()) {
            m.why = "chunk runs past the file";
            return m;
        }
        pos += 8;
        uint32_t tick = 0;
        uint8_t status = 0;
        bool ended = false, bad = false;
        std::map<int, int> sounding;
        while (pos < end && !bad) {
            if (ended) {
                m.why = "events after end of track";
                return m;
            }
            tick += readVarLen(b, pos, end, bad);
            if (pos >= end) break;
            if (b[pos] & 0x80) status = b[pos++];
            if (status == 0xFF) {
                const uint8_t type = b[pos++];
                const uint32_t len = readVarLen(b, pos, end, bad);
                if (pos + len > end) bad = true;
                if (!bad && type == 0x51 && len == 3)
                    tempo[tick] = (b[pos] << 16) | (b[pos + 1] << 8) | b[pos + 2];
                if (type == 0x2F) ended = true;
                pos += len;
            } else if (status == 0xF0 || status == 0xF7) {
                pos += readVarLen(b, pos, end, bad);
            } else if (status >= 0x80) {
                const int kind = status & 0xF0;
                const int channel = status & 0x0F;
                const int size = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
                if (pos + size > end) {
                    bad = true;
                    break;
                }
                const int key = channel * 128 + b[pos];
                if (kind == 0x90 && b[pos + 1] > 0) {
                    ++sounding[key];
                    ++m.notes;
                    if (channel == 9) m.drums = true;
                } else if (kind == 0x80 || kind == 0x90) {
                    if (sounding[key] > 0) --sounding[key];
                }
                pos += size;
            } else {
                bad = true;
            }
        }
        if (bad || !ended || pos != end) {
            m.why = "malformed track";
            return m;
        }
        for (const auto& s : sounding) m.hangingNotes += s.second;
        lastTick = std::max(lastTick, tick);
        ++m.tracks;
    }
    if (m.tracks != declared) {
        m.why = "track count differs from the header";
        return m;
    }
    // Length in seconds through the tempo map (120 BPM until the first tempo).
    double seconds = 0;
    uint32_t at = 0, micros = 500000;
    for (const auto& [tick, value] : tempo) {
        if (tick > lastTick) break;
        seconds += static_cast<double>(tick - at) * micros / division / 1e6;
        at = tick;
        micros = value;
    }
    seconds += static_cast<double>(lastTick - at) * micros / division / 1e6;
    m.seconds = seconds;
    m.ok = true;
    return m;
}

TEST(AssetMusic, FourWellFormedTypeOnePiecesOfThirtyToNinetySeconds) {
    for (const char* name : MUSIC) {
        const MidiSummary m = readMidi(DATA + name);
        ASSERT_TRUE(m.ok) << name << ": " << m.why;
        EXPECT_EQ(m.format, 1) << name;
        EXPECT_GE(m.tracks, 3) << name;
        EXPECT_GE(m.seconds, 30.0) << name;
        EXPECT_LE(m.seconds, 90.0) << name;
        EXPECT_GE(m.notes, 200) << name;
        // Every note is released by the end, so a replay from the start joins cleanly.
        EXPECT_EQ(m.hangingNotes, 0) << name;
    }
    // The title and game themes have drums; the ending is a ballad without.
    EXPECT_TRUE(readMidi(DATA + "title.mid").drums);
    EXPECT_TRUE(readMidi(DATA + "main.mid").drums);
    EXPECT_FALSE(readMidi(DATA + "2ofus.MID").drums);
}

TEST(AssetMusic, StrictReaderRefusesDamagedFiles) {
    const std::string path = testing::TempDir() + "damaged.mid";
    std::vector<uint8_t> bytes = bmpfile::readFile(DATA + "edit.mid");
    ASSERT_FALSE(bytes.empty());
    bytes.resize(bytes.size() - 3);  // cut the last end-of-track
    ASSERT_TRUE(bmpfile::writeFile(path, bytes));
    EXPECT_FALSE(readMidi(path).ok);
    bytes = bmpfile::readFile(DATA + "edit.mid");
    bytes[11] = static_cast<uint8_t>(bytes[11] + 1);  // one track more than there is
    ASSERT_TRUE(bmpfile::writeFile(path, bytes));
    EXPECT_FALSE(readMidi(path).ok);
}

TEST(AssetMusic, FluidSynthPlaysEveryPieceToItsEnd) {
    // The player runs on the synthesizer's sample clock: rendering (without a
    // soundfont, so silently) plays each piece through to its natural end.
    fluid_settings_t* settings = new_fluid_settings();
    fluid_synth_t* synth = new_fluid_synth(settings);
    for (const char* name : MUSIC) {
        const std::string path = DATA + name;
        EXPECT_TRUE(fluid_is_midifile(path.c_str())) << name;
        fluid_player_t* player = new_fluid_player(synth);
        ASSERT_EQ(fluid_player_add(player, path.c_str()), FLUID_OK) << name;
        ASSERT_EQ(fluid_player_play(player), FLUID_OK) << name;
        static float left[4410], right[4410];
        int seconds = 0;
        for (int block = 0; block < 10 * 600 && fluid_player_get_status(player) == FLUID_PLAYER_PLAYING; ++block) {
            fluid_synth_write_float(synth, 4410, left, 0, 1, right, 0, 1);
            seconds = block / 10;
        }
        EXPECT_EQ(fluid_player_get_status(player), FLUID_PLAYER_DONE) << name;
        EXPECT_GE(seconds, 10) << name << " is too short to loop well";
        delete_fluid_player(player);
    }
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
}

}  // namespace
