// SPDX-License-Identifier: GPL-2.0-or-later
// Surfaces, copies, the bitmap loader, the palette, text and shapes.
#include <gtest/gtest.h>

#include <cstdio>
#include <climits>
#include <cstring>
#include <random>
#include <vector>

#include "core/devices.h"
#include "core/draw_context.h"
#include "core/main_loop.h"
#include "support/test_support.h"

using namespace testing_support;

namespace {
// A 4 x 3 8-bit bitmap with `colors` table entries mapping index i to
// (i, 255 - i, i / 2); pixel (x, y) holds 10 y + x.
void writeTestBitmap(const char* path, int colors) {
    std::vector<uint8_t> file(54 + 4 * colors + 3 * 4, 0);
    auto put32 = [&](int at, uint32_t value) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54 + 4 * colors);
    put32(14, 40);
    put32(18, 4);
    put32(22, 3);
    file[26] = 1;
    file[28] = 8;
    put32(46, colors);
    for (int i = 0; i < colors; ++i) {
        file[54 + 4 * i] = static_cast<uint8_t>(i / 2);
        file[54 + 4 * i + 1] = static_cast<uint8_t>(255 - i);
        file[54 + 4 * i + 2] = static_cast<uint8_t>(i);
    }
    for (int y = 0; y < 3; ++y) {  // rows bottom-up
        for (int x = 0; x < 4; ++x) file[54 + 4 * colors + (2 - y) * 4 + x] = static_cast<uint8_t>((10 * y + x) % colors);
    }
    FILE* out = std::fopen(path, "wb");
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
}

void fillSheet(uint8_t index) { fillRect(devices.spriteSheet, Rect{0, 0, 800, 726}, index); }
}  // namespace

TEST(Surfaces, StartupSizesKeyAndZeroedWork) {
    freshStartedRun();
    EXPECT_EQ(devices.spriteSheet.width, 800);
    EXPECT_EQ(devices.spriteSheet.height, 726);
    EXPECT_TRUE(devices.spriteSheet.colorKeyed);
    EXPECT_EQ(devices.syasinSurface.width, 500);
    EXPECT_EQ(devices.syasinSurface.height, 500);
    for (const Surface* s :
         {&devices.backBuffer, &devices.gameMainSurface, &devices.workSurface, &devices.rankingSurface}) {
        EXPECT_EQ(s->width, 640);
        EXPECT_EQ(s->height, 480);
    }
    for (int i = 0; i < 640 * 480; ++i) ASSERT_EQ(devices.workSurface.pixels[i], 0);
    EXPECT_FALSE(devices.titleSurface.held);
    createSceneSurface(devices.titleSurface);
    uint8_t* first = devices.titleSurface.pixels;
    createSceneSurface(devices.titleSurface);
    EXPECT_EQ(devices.titleSurface.pixels, first);  // one surface at a time
    releaseSceneSurface(devices.titleSurface);
    EXPECT_FALSE(devices.titleSurface.held);
}

TEST(Surfaces, CopyThatDoesNotFitDrawsNothing) {
    freshStartedRun();
    fillSheet(7);
    const Rect cursor{9, 0, 26, 26};
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 0);
    bltFast(devices.backBuffer, 623, 454, devices.spriteSheet, cursor, true);
    EXPECT_EQ(devices.backBuffer.pixels[454 * 640 + 623], 7);
    EXPECT_EQ(devices.backBuffer.pixels[479 * 640 + 639], 7);
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 0);
    bltFast(devices.backBuffer, 624, 100, devices.spriteSheet, cursor, true);
    bltFast(devices.backBuffer, 100, 455, devices.spriteSheet, cursor, true);
    bltFast(devices.backBuffer, -1, 100, devices.spriteSheet, cursor, true);
    bltFast(devices.backBuffer, 10, 10, devices.spriteSheet, Rect{5, 5, 5, 9}, true);      // empty source
    bltFast(devices.backBuffer, 10, 10, devices.spriteSheet, Rect{790, 0, 810, 9}, true);  // leaves the sheet
    for (int i = 0; i < 640 * 480; ++i) ASSERT_EQ(devices.backBuffer.pixels[i], 0) << i;
}

TEST(Surfaces, ColourKeyAndOpaqueCopies) {
    freshStartedRun();
    fillSheet(COLOR_KEY);
    devices.spriteSheet.pixels[0] = 9;
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 3);
    bltFast(devices.backBuffer, 10, 10, devices.spriteSheet, Rect{0, 0, 2, 1}, true);
    EXPECT_EQ(devices.backBuffer.pixels[10 * 640 + 10], 9);
    EXPECT_EQ(devices.backBuffer.pixels[10 * 640 + 11], 3);  // key skipped
    bltFast(devices.backBuffer, 10, 10, devices.spriteSheet, Rect{0, 0, 2, 1}, false);
    EXPECT_EQ(devices.backBuffer.pixels[10 * 640 + 11], COLOR_KEY);
}

TEST(Surfaces, ClippedCopyCutsAtTheScreenEdges) {
    freshStartedRun();
    for (int x = 0; x < 20; ++x)
        fillRect(devices.spriteSheet, Rect{x, 0, x + 1, 10}, static_cast<uint8_t>(x + 1));
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 0);
    blitClipped(devices.backBuffer, -10, 0, devices.spriteSheet, Rect{0, 0, 20, 10}, false);
    EXPECT_EQ(devices.backBuffer.pixels[0], 11);  // the leftmost ten columns are cut
    EXPECT_EQ(devices.backBuffer.pixels[9], 20);
    EXPECT_EQ(devices.backBuffer.pixels[10], 0);
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 0);
    blitClipped(devices.backBuffer, 630, 475, devices.spriteSheet, Rect{0, 0, 20, 10}, false);
    EXPECT_EQ(devices.backBuffer.pixels[475 * 640 + 639], 10);
    EXPECT_EQ(devices.backBuffer.pixels[479 * 640 + 630], 1);
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 0);
    blitClipped(devices.backBuffer, -30, -30, devices.spriteSheet, Rect{0, 0, 20, 10}, false);
    blitClipped(devices.backBuffer, 700, 10, devices.spriteSheet, Rect{0, 0, 20, 10}, false);
    for (int i = 0; i < 640 * 480; ++i) ASSERT_EQ(devices.backBuffer.pixels[i], 0);
}

TEST(Surfaces, StretchedCopyScalesAndKeys) {
    freshStartedRun();
    fillSheet(COLOR_KEY);
    fillRect(devices.spriteSheet, Rect{0, 0, 2, 2}, 5);
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 0);
    bltStretchKeyed(devices.backBuffer, Rect{100, 100, 108, 108}, devices.spriteSheet, Rect{0, 0, 4, 4});
    EXPECT_EQ(devices.backBuffer.pixels[100 * 640 + 100], 5);
    EXPECT_EQ(devices.backBuffer.pixels[103 * 640 + 103], 5);
    EXPECT_EQ(devices.backBuffer.pixels[104 * 640 + 104], 0);  // key pixels skipped
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 0);
    bltStretchKeyed(devices.backBuffer, Rect{-10, 0, 100, 100}, devices.spriteSheet, Rect{0, 0, 4, 4});
    EXPECT_EQ(devices.backBuffer.pixels[0], 0);
}

TEST(Surfaces, FailedLocksGiveNoPixels) {
    freshStartedRun();
    int pitch = 0;
    EXPECT_NE(lockSurface(devices.backBuffer, &pitch), nullptr);
    EXPECT_GE(pitch, 640);
    headless::setLocksFail(true);
    EXPECT_EQ(lockSurface(devices.backBuffer, &pitch), nullptr);
    EXPECT_EQ(lockSurface(devices.graphSurface, &pitch), nullptr);
}

TEST(Bitmaps, LoaderTakesPixelsAndPalette) {
    freshStartedRun();
    writeTestBitmap("small.bmp", 256);
    fillRect(devices.workSurface, Rect{0, 0, 640, 480}, 99);
    loadBitmapToSurface(devices.workSurface, "small.bmp");
    EXPECT_EQ(devices.workSurface.pixels[0], 0);
    EXPECT_EQ(devices.workSurface.pixels[2 * 640 + 3], 23);
    EXPECT_EQ(devices.workSurface.pixels[4], 99);  // a smaller bitmap leaves the rest
    EXPECT_EQ(devices.displayPalette[200].red, 200);
    EXPECT_EQ(devices.displayPalette[200].green, 55);
    EXPECT_EQ(devices.displayPalette[200].blue, 100);
    EXPECT_EQ(devices.displayPalette[200].flags, 5);
    EXPECT_EQ(std::memcmp(devices.displayPalette, devices.targetPalette, sizeof devices.displayPalette), 0);
    PaletteEntry screen[256];
    getDisplayPalette(screen);
    EXPECT_EQ(screen[17].green, 238);

    // A short colour table leaves the other entries black.
    writeTestBitmap("short.bmp", 16);
    loadBitmapToSurface(devices.workSurface, "short.bmp");
    EXPECT_EQ(devices.targetPalette[15].red, 15);
    EXPECT_EQ(devices.targetPalette[16].green, 0);

    // A missing file changes nothing.
    PaletteEntry before[256];
    std::memcpy(before, devices.displayPalette, sizeof before);
    fillRect(devices.workSurface, Rect{0, 0, 640, 480}, 42);
    loadBitmapToSurface(devices.workSurface, "nothing-here.bmp");
    EXPECT_EQ(std::memcmp(before, devices.displayPalette, sizeof before), 0);
    EXPECT_EQ(devices.workSurface.pixels[0], 42);

    // So do a file cut short anywhere and headers that claim more than the
    // file holds: nothing is read outside the bytes read.
    const std::string whole = readFile("small.bmp");
    auto loadChanged = [&](const std::string& bytes) {
        FILE* out = std::fopen("damaged.bmp", "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
        loadBitmapToSurface(devices.workSurface, "damaged.bmp");
        return std::memcmp(before, devices.displayPalette, sizeof before) != 0 ||
               devices.workSurface.pixels[0] != 42;
    };
    for (size_t length = 0; length < whole.size(); ++length) EXPECT_FALSE(loadChanged(whole.substr(0, length))) << length;
    for (int field : {10, 18, 22}) {  // pixel offset, width, height
        for (uint32_t value : {0x7FFFFFFFu, 0x80000000u, 5000u, 0u}) {
            std::string bytes = whole;
            for (int i = 0; i < 4; ++i) bytes[field + i] = static_cast<char>(value >> (8 * i));
            EXPECT_FALSE(loadChanged(bytes)) << field << " " << value;
        }
    }
}

TEST(Bitmaps, StartupEndsWithTheRankingColoursOnScreenAndABlackWorkingPalette) {
    freshStartedRun();
    for (const PaletteEntry& entry : devices.displayPalette) {
        ASSERT_EQ(entry.red | entry.green | entry.blue, 0);
    }
}

TEST(Text, FreshContextDrawsBlackOnWhiteCells) {
    freshStartedRun();
    PaletteEntry grey[256];
    for (int i = 0; i < 256; ++i) grey[i] = PaletteEntry{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    setDisplayPalette(grey);
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 100);
    getDC();
    textOut(20, 20, "株");
    releaseDC();
    int black = 0, white = 0;
    for (int y = 20; y < 20 + textHeight(); ++y) {
        for (int x = 20; x < 33; ++x) {
            const uint8_t p = devices.backBuffer.pixels[y * 640 + x];
            black += p == 0;
            white += p == 255;
        }
    }
    EXPECT_GT(black, 10);
    EXPECT_GT(white, 40);
    EXPECT_EQ(devices.backBuffer.pixels[19 * 640 + 20], 100);

    // Transparent red text leaves the background and uses the nearest entry.
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 100);
    getDC();
    setBkMode(BkMode::Transparent);
    setTextColor(250, 250, 250);
    textOut(20, 20, "abc", 3);
    releaseDC();
    int text = 0, other = 0;
    for (int y = 20; y < 20 + textHeight(); ++y) {
        for (int x = 20; x < 41; ++x) {
            const uint8_t p = devices.backBuffer.pixels[y * 640 + x];
            text += p == 250;
            other += p != 250 && p != 100;
        }
    }
    EXPECT_GT(text, 10);
    EXPECT_EQ(other, 0);
}

TEST(Text, FullWidthLettersFitTheKeyboard) {
    freshStartedRun();
    EXPECT_EQ(textWidth("ア", 2), 13);
    EXPECT_EQ(textWidth("　", 2), 13);
    EXPECT_EQ(textWidth(" ", 1), 7);
    EXPECT_EQ(textWidth("㈱", 2), 13);
    // Half-width letters are 6.5 pixels: eight blanks between two full-width
    // letters keep the keyboard's columns.
    EXPECT_EQ(textWidth("ａ        ｂ"), 78);
    EXPECT_LE(textHeight(), 20);
    // A dangling lead byte or a bad trail byte never reads past the text.
    EXPECT_EQ(textWidth("\x82", 1), 0);
    EXPECT_EQ(textWidth("ab"), 13);
    getDC();
    textOut(630, 470, "\x82\x01xyz漢字", 9);
    textOut(-20, -5, "漢字の列");
    releaseDC();
}

TEST(Shapes, RoundRectOutlineFillAndHollow) {
    freshStartedRun();
    PaletteEntry grey[256];
    for (int i = 0; i < 256; ++i) grey[i] = PaletteEntry{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    setDisplayPalette(grey);
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 100);
    getDC();
    selectBrush(brushBlack);
    selectPen(penWhite3);
    roundRect(100, 200, 500, 400, 100, 200);
    releaseDC();
    EXPECT_EQ(devices.backBuffer.pixels[300 * 640 + 300], 0);    // filled black
    EXPECT_EQ(devices.backBuffer.pixels[201 * 640 + 300], 255);  // white outline
    EXPECT_EQ(devices.backBuffer.pixels[300 * 640 + 101], 255);
    EXPECT_EQ(devices.backBuffer.pixels[201 * 640 + 101], 100);  // rounded corner
    EXPECT_EQ(devices.backBuffer.pixels[400 * 640 + 300], 100);  // bottom edge exclusive

    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 100);
    getDC();
    selectBrush(brushHollow);
    selectPen(penBlack3);
    roundRect(10, 10, 60, 40, 10, 10);
    roundRect(300, 300, 300, 300, 100, 200);  // no size: nothing
    releaseDC();
    EXPECT_EQ(devices.backBuffer.pixels[25 * 640 + 30], 100);
    EXPECT_EQ(devices.backBuffer.pixels[11 * 640 + 30], 0);
    EXPECT_EQ(devices.backBuffer.pixels[300 * 640 + 300], 100);
}

TEST(Shapes, PolylineWithAThickPen) {
    freshStartedRun();
    PaletteEntry grey[256];
    for (int i = 0; i < 256; ++i) grey[i] = PaletteEntry{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    grey[77] = PaletteEntry{255, 0, 0, 0};
    setDisplayPalette(grey);
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 100);
    getDC();
    selectPen(penRed3);
    moveTo(50, 335);
    lineTo(90, 315);
    lineTo(130, 335);
    lineTo(700, 900);  // off screen: clipped, no fault
    releaseDC();
    EXPECT_EQ(devices.backBuffer.pixels[335 * 640 + 50], 77);
    EXPECT_EQ(devices.backBuffer.pixels[336 * 640 + 50], 77);
    EXPECT_EQ(devices.backBuffer.pixels[315 * 640 + 90], 77);
    EXPECT_EQ(devices.backBuffer.pixels[300 * 640 + 50], 100);
}

// The walk the lines are drawn with: one 3-pixel pen dot per step, the last
// point left out, every dot clipped to the surface.
void referenceLine(std::vector<uint8_t>& pixels, int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint8_t index) {
    const int64_t dx = x1 > x0 ? x1 - x0 : x0 - x1;
    const int64_t dy = y1 > y0 ? y0 - y1 : y1 - y0;
    const int64_t sx = x0 < x1 ? 1 : -1;
    const int64_t sy = y0 < y1 ? 1 : -1;
    int64_t error = dx + dy;
    while (x0 != x1 || y0 != y1) {
        for (int64_t y = y0 - 1; y <= y0 + 1; ++y) {
            for (int64_t x = x0 - 1; x <= x0 + 1; ++x) {
                if (x >= 0 && y >= 0 && x < 640 && y < 480) pixels[y * 640 + x] = index;
            }
        }
        const int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

TEST(Shapes, LinesClippedToTheSurfaceDrawWhatTheWholeWalkDraws) {
    freshStartedRun();
    const uint8_t red = nearestPaletteIndex(255, 0, 0);
    std::vector<uint8_t> expected(640 * 480, 100);
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 100);
    std::mt19937 random(3);
    auto coordinate = [&](int64_t size) {
        const int64_t spans[] = {size, 3 * size, 4000, 200000};
        const int64_t span = spans[random() % 4];
        return static_cast<int>(size / 2 - span / 2 + static_cast<int64_t>(random() % span));
    };
    for (int line = 0; line < 4000; ++line) {
        const int x0 = coordinate(640), y0 = coordinate(480), x1 = coordinate(640), y1 = coordinate(480);
        getDC();
        selectPen(penRed3);
        moveTo(x0, y0);
        lineTo(x1, y1);
        releaseDC();
        referenceLine(expected, x0, y0, x1, y1, red);
        ASSERT_EQ(std::memcmp(devices.backBuffer.pixels, expected.data(), expected.size()), 0)
            << "(" << x0 << ", " << y0 << ") to (" << x1 << ", " << y1 << ")";
    }
    // Lines to the ends of the coordinate range draw at once, and only what
    // lies on the surface: the segment of a steep one that crosses it.
    const int ends[] = {INT_MIN, -1000000000, 240, 1000000000, INT_MAX};
    for (int from : ends) {
        for (int to : ends) {
            getDC();
            selectPen(penRed3);
            moveTo(320, from);
            lineTo(330, to);
            moveTo(from, 100);
            lineTo(to, 300);
            releaseDC();
        }
    }
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 100);
    std::fill(expected.begin(), expected.end(), 100);
    getDC();
    selectPen(penRed3);
    moveTo(50, 335);
    lineTo(90, 335 - 20 * 250000);
    releaseDC();
    referenceLine(expected, 50, 335, 90, 335 - 20 * 250000, red);
    EXPECT_EQ(std::memcmp(devices.backBuffer.pixels, expected.data(), expected.size()), 0);
}

TEST(Input, PressLatchActsOncePerPress) {
    freshStartedRun();
    int latch = 0;
    mouse(15, 15, true);
    getCursorPos();
    EXPECT_TRUE(pressLatch(latch, 10, 10, 20, 20));
    EXPECT_FALSE(pressLatch(latch, 10, 10, 20, 20));
    mouse(25, 25, false);  // released outside: the latch stays
    getCursorPos();
    EXPECT_FALSE(pressLatch(latch, 10, 10, 20, 20));
    mouse(20, 20, true);  // inclusive bounds
    getCursorPos();
    EXPECT_FALSE(pressLatch(latch, 10, 10, 20, 20));
    mouse(20, 20, false);
    getCursorPos();
    EXPECT_FALSE(pressLatch(latch, 10, 10, 20, 20));
    mouse(20, 20, true);
    getCursorPos();
    EXPECT_TRUE(pressLatch(latch, 10, 10, 20, 20));
}

TEST(Present, FlipSwapsPagesAndShowsTheBackBuffer) {
    freshStartedRun();
    fillRect(devices.backBuffer, Rect{0, 0, 640, 480}, 12);
    uint8_t* drawn = devices.backBuffer.pixels;
    flip();
    EXPECT_EQ(devices.primarySurface.pixels, drawn);
    EXPECT_NE(devices.backBuffer.pixels, drawn);
    EXPECT_EQ(headless::presentCount(), 1);
    EXPECT_EQ(presentedPixel(320, 240), 12);
}
