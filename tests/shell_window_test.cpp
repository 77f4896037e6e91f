// Where the picture lies in windows of any size, and where a click lands.
#include <gtest/gtest.h>

#include "shell/sdl/sdl_display.h"

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
