// SPDX-License-Identifier: GPL-2.0-or-later
// Where the picture lies in windows of any size, and where a click lands.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/shared/picture_scale.h"

TEST(WindowScaling, PictureIsScaledLetterboxedAndCentred) {
    const Viewport same = viewportFor(640, 480);
    EXPECT_EQ(same.x, 0);
    EXPECT_EQ(same.y, 0);
    EXPECT_EQ(same.width, 640);
    EXPECT_EQ(same.height, 480);

    const Viewport tall = viewportFor(1280, 1024);  // bars above and below
    EXPECT_EQ(tall.x, 0);
    EXPECT_EQ(tall.y, 32);
    EXPECT_EQ(tall.width, 1280);
    EXPECT_EQ(tall.height, 960);

    const Viewport wide = viewportFor(1920, 1080);  // bars left and right
    EXPECT_EQ(wide.x, 240);
    EXPECT_EQ(wide.y, 0);
    EXPECT_EQ(wide.width, 1440);
    EXPECT_EQ(wide.height, 1080);

    const Viewport broken = viewportFor(0, 0);
    EXPECT_EQ(broken.width, 640);
}

// A window with its frame fits in the usable desktop, across and down.
TEST(WindowScaling, WindowedSizeLeavesRoomForTheFrame) {
    EXPECT_EQ(windowedFactor(1280, 1024), 1);  // 1280 x 960 would fill the width
    EXPECT_EQ(windowedFactor(1920, 1040), 2);
    EXPECT_EQ(windowedFactor(1344, 1024), 2);
    EXPECT_EQ(windowedFactor(2560, 1440), 2);
    EXPECT_EQ(windowedFactor(3840, 2160), 4);
    EXPECT_EQ(windowedFactor(640, 480), 1);
    EXPECT_EQ(windowedFactor(0, 0), 1);
}

TEST(WindowScaling, ClicksLandOnThePicturePixelShownThere) {
    const Viewport tall = viewportFor(1280, 1024);
    Point p = windowToPicture(tall, 0, 32);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    p = windowToPicture(tall, 1279, 991);
    EXPECT_EQ(p.x, 639);
    EXPECT_EQ(p.y, 479);
    p = windowToPicture(tall, 583 * 2 + 1, 68 * 2 + 32 + 1);  // the buy button
    EXPECT_EQ(p.x, 583);
    EXPECT_EQ(p.y, 68);
    // The bars clamp to the picture's edges.
    p = windowToPicture(tall, 10, 5);
    EXPECT_EQ(p.y, 0);
    p = windowToPicture(tall, 10, 1020);
    EXPECT_EQ(p.y, 479);

    const Viewport wide = viewportFor(1920, 1080);
    p = windowToPicture(wide, 100, 500);
    EXPECT_EQ(p.x, 0);
    p = windowToPicture(wide, 1919, 500);
    EXPECT_EQ(p.x, 639);
    p = windowToPicture(wide, 240 + 720, 540);
    EXPECT_EQ(p.x, 320);
    EXPECT_EQ(p.y, 240);

    // A non-integer scale still maps every window pixel into the picture.
    const Viewport odd = viewportFor(1000, 700);
    for (int x = 0; x < 1000; x += 7) {
        for (int y = 0; y < 700; y += 11) {
            const Point q = windowToPicture(odd, x, y);
            ASSERT_GE(q.x, 0);
            ASSERT_LT(q.x, 640);
            ASSERT_GE(q.y, 0);
            ASSERT_LT(q.y, 480);
        }
    }
}

namespace {
AxisMap columnMap;
AxisMap rowMap;
uint32_t window[1440 * 1080];

// Scales a picture with white picture lines every 8 pixels (columns or rows)
// into a viewport and returns how bright the window shows each such line: the
// sum of its window pixels' blue levels across one window row or column.
void lineBrightness(int width, int height, bool columns, int* brightness) {
    static uint8_t picture[SCREEN_HEIGHT][SCREEN_WIDTH];
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        for (int x = 0; x < SCREEN_WIDTH; ++x) picture[y][x] = (columns ? x : y) % 8 == 3 ? 1 : 0;
    }
    const uint32_t colors[256] = {0x000000, 0xFFFFFF};
    const Viewport view{0, 0, width, height};
    buildAxisMap(columnMap, SCREEN_WIDTH, width);
    buildAxisMap(rowMap, SCREEN_HEIGHT, height);
    scalePicture(window, width, view, columnMap, rowMap, &picture[0][0], SCREEN_WIDTH, colors);
    const int along = columns ? width : height;
    const int picturePixels = columns ? SCREEN_WIDTH : SCREEN_HEIGHT;
    for (int line = 0; line < picturePixels / 8; ++line) brightness[line] = 0;
    for (int i = 0; i < along; ++i) {
        const uint32_t pixel = columns ? window[height / 2 * width + i] : window[i * width + width / 2];
        // Each window pixel lies within 4 picture pixels of one white line.
        brightness[(i * picturePixels / along) / 8] += static_cast<int>(pixel & 0xFF);
    }
}
}  // namespace

TEST(SharpScaling, EveryPicturePixelIsShownEquallyWide) {
    struct Case {
        int width, height;
    };
    for (const Case c : {Case{1440, 1080}, Case{1024, 768}}) {  // 2.25x and 1.6x
        for (const bool columns : {true, false}) {
            int brightness[SCREEN_WIDTH / 8];
            lineBrightness(c.width, c.height, columns, brightness);
            // 255 per window pixel of cover: 2.25 or 1.6 window pixels per picture pixel.
            const int expected = 255 * c.width / SCREEN_WIDTH;
            const int lines = (columns ? SCREEN_WIDTH : SCREEN_HEIGHT) / 8;
            for (int line = 0; line < lines; ++line) {
                ASSERT_NEAR(brightness[line], expected, 2) << c.width << "x" << c.height << " line " << line;
            }
        }
    }
    // Only the seams are mixed: at 2.25x a picture pixel has at least one pure
    // window pixel, and at a whole factor none is mixed.
    buildAxisMap(columnMap, SCREEN_WIDTH, 1440);
    EXPECT_EQ(columnMap.seamCount, SCREEN_WIDTH * 3 / 4);  // one seam in four falls between window pixels
    buildAxisMap(columnMap, SCREEN_WIDTH, 1280);
    EXPECT_EQ(columnMap.seamCount, 0);
}

TEST(SharpScaling, TheMouseLandsOnThePicturePixelShownUnderIt) {
    struct Case {
        int windowWidth, windowHeight;
        ScaleMode mode;
    };
    for (const Case c : {Case{1920, 1080, ScaleMode::Sharp}, Case{1024, 768, ScaleMode::Sharp},
                         Case{1920, 1080, ScaleMode::Integer}, Case{700, 500, ScaleMode::Integer}}) {
        const Viewport view = viewportFor(c.windowWidth, c.windowHeight, c.mode);
        buildAxisMap(columnMap, SCREEN_WIDTH, view.width);
        buildAxisMap(rowMap, SCREEN_HEIGHT, view.height);
        // Every window pixel of the picture maps to the picture pixel it starts in.
        for (int x = 0; x < view.width; ++x) {
            ASSERT_EQ(windowToPicture(view, view.x + x, view.y).x, columnMap.source[x]) << c.windowWidth;
        }
        for (int y = 0; y < view.height; ++y) {
            ASSERT_EQ(windowToPicture(view, view.x, view.y + y).y, rowMap.source[y]) << c.windowHeight;
        }
        // The corners, and the borders clamped to them.
        const Point topLeft = windowToPicture(view, view.x, view.y);
        const Point bottomRight = windowToPicture(view, view.x + view.width - 1, view.y + view.height - 1);
        EXPECT_EQ(topLeft.x, 0);
        EXPECT_EQ(topLeft.y, 0);
        EXPECT_EQ(bottomRight.x, SCREEN_WIDTH - 1);
        EXPECT_EQ(bottomRight.y, SCREEN_HEIGHT - 1);
        const Point farCorner = windowToPicture(view, c.windowWidth - 1, c.windowHeight - 1);
        EXPECT_EQ(farCorner.x, SCREEN_WIDTH - 1);
        EXPECT_EQ(farCorner.y, SCREEN_HEIGHT - 1);
        const Point nearCorner = windowToPicture(view, 0, 0);
        EXPECT_EQ(nearCorner.x, 0);
        EXPECT_EQ(nearCorner.y, 0);
    }
    // Whole factors only: 2x with a border in 1920 x 1080, 1x in 700 x 500.
    const Viewport integer = viewportFor(1920, 1080, ScaleMode::Integer);
    EXPECT_EQ(integer.x, 320);
    EXPECT_EQ(integer.y, 60);
    EXPECT_EQ(integer.width, 1280);
    EXPECT_EQ(integer.height, 960);
    EXPECT_EQ(viewportFor(700, 500, ScaleMode::Integer).width, SCREEN_WIDTH);
}

TEST(SharpScaling, RowsScaledInBandsEqualTheWholePicture) {
    static uint8_t picture[SCREEN_HEIGHT * SCREEN_WIDTH];
    for (int i = 0; i < SCREEN_HEIGHT * SCREEN_WIDTH; ++i) picture[i] = static_cast<uint8_t>(i * 7 % 251);
    uint32_t colors[256];
    for (uint32_t i = 0; i < 256; ++i) colors[i] = 0xFF000000u | i * 0x010203u;
    static uint32_t bands[1366 * 768];
    const Viewport view = viewportFor(1366, 768);  // 1.6x: seams on both axes
    std::memset(window, 0, sizeof window);
    buildAxisMap(columnMap, SCREEN_WIDTH, view.width);
    buildAxisMap(rowMap, SCREEN_HEIGHT, view.height);
    scalePicture(window, 1366, view, columnMap, rowMap, picture, SCREEN_WIDTH, colors);
    for (int first = -5; first < rowMap.length; first += 37)
        scalePictureRows(bands, 1366, view, columnMap, rowMap, picture, SCREEN_WIDTH, colors, first, first + 37);
    EXPECT_EQ(std::memcmp(window, bands, sizeof bands), 0);
}
