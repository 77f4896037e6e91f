// SPDX-License-Identifier: GPL-2.0-or-later
// The ending: the music switch, the photograph timings, the scatter, the
// credits' scroll, the notice and logo, and leaving with Enter.
#include <gtest/gtest.h>

#include <cstring>

#include "core/devices.h"
#include "core/rng.h"
#include "core/scenes.h"
#include "frontend/ranking_screen.h"
#include "frontend/staff_roll.h"
#include "frontend/wave.h"
#include "platform/headless/headless.h"
#include "support/test_support.h"

using namespace testing_support;

namespace {

uint8_t& at(Surface& s, int x, int y) { return s.pixels[y * s.pitch + x]; }

// Photograph n of the sheet: values 1 + n with a few zero pixels.
uint8_t photoValue(int n, int x, int y) { return (x * 3 + y) % 29 == 0 ? 0 : static_cast<uint8_t>(20 + n * 5 + (x + y) % 4); }

void paintPhotos() {
    for (int n = 0; n < PHOTO_COUNT; ++n) {
        const Rect r = photoRects[n];
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                at(devices.syasinSurface, x, y) = photoValue(n, x - r.left, y - r.top);
    }
}

// Text is drawn in the nearest palette colour: without the game's art every
// colour is black, so give the screen a grey ramp then.
void ensureGreyPalette() {
    if (nearestPaletteIndex(255, 255, 255) != nearestPaletteIndex(0, 0, 0)) return;
    PaletteEntry ramp[256];
    for (int i = 0; i < 256; ++i) ramp[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 5};
    setDisplayPalette(ramp);
}

void startEnding() {
    freshStartedRun();
    ensureGreyPalette();
    paintPhotos();
    seedRandom(777);
    loop.GameScene = SCENE_ENDING_START;
    runTurns(1);
}

// Whether the frame shows photograph n whole with its top at y (rows on screen only).
bool photoShownAt(int n, int top) {
    for (int y = 0; y < 120; ++y) {
        const int sy = top + y;
        if (sy < 0 || sy >= SCREEN_HEIGHT) continue;
        for (int x = 0; x < 120; ++x)
            if (presentedPixel(400 + x, sy) != photoValue(n, x, y)) return false;
    }
    return true;
}

bool regionBlack(int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (presentedPixel(x, y) != 0) return false;
    return true;
}

}  // namespace

TEST(EndingStaffRoll, TheEndingStartSwitchesTheMusicAndMarksAFinishedGame) {
    freshStartedRun();
    headless::clearMusicLog();
    loop.GameScene = SCENE_ENDING_START;
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_STAFF_ROLL);
    ASSERT_EQ(headless::musicCommandCount(), 3);
    EXPECT_STREQ(headless::musicCommand(0), "Close WAV01");
    EXPECT_STREQ(headless::musicCommand(1), "Open data/2ofus.MID Alias WAV01");
    EXPECT_STREQ(headless::musicCommand(2), "Play WAV01 from 0 notify");
    EXPECT_EQ(ending.rankEntryPending, 1);
    EXPECT_EQ(staffRoll.rollFrames, 0);
}

TEST(EndingStaffRoll, PhotographTimingsCaptionScatterAndTheNextPhotograph) {
    startEnding();
    for (int frame = 1; frame <= 54; ++frame) {
        runTurns(1);
        ASSERT_EQ(staffRoll.photoY, -120 + 4 * frame);
        ASSERT_TRUE(photoShownAt(0, staffRoll.photoY)) << frame;
        ASSERT_EQ(staffRoll.captionBrightness, 0);
    }
    runTurns(1);  // frame 55: at rest, caption not yet
    EXPECT_EQ(staffRoll.photoY, 100);
    EXPECT_EQ(staffRoll.captionBrightness, 0);
    EXPECT_TRUE(photoShownAt(0, 100));
    runTurns(1);  // frame 56: the caption starts to fade in
    EXPECT_EQ(staffRoll.photoY, 100);
    EXPECT_EQ(staffRoll.captionBrightness, 2);
    runTurns(126);  // frame 182
    EXPECT_EQ(staffRoll.captionBrightness, 254);
    runTurns(1);
    EXPECT_EQ(staffRoll.captionBrightness, 255);
    EXPECT_FALSE(regionBlack(450, 240, 560, 275)) << "caption drawn";
    runTurns(72);  // frame 255: the last whole frame
    EXPECT_TRUE(photoShownAt(0, 100));
    EXPECT_EQ(staffRoll.photoPhase, 0);

    runTurns(1);  // frame 256: scatter set up, nothing of the photograph drawn
    EXPECT_EQ(staffRoll.rollFrames, 256);
    EXPECT_EQ(staffRoll.photoPhase, 2);
    EXPECT_TRUE(regionBlack(400, 100, 520, 220));
    EXPECT_FALSE(regionBlack(450, 240, 560, 275)) << "caption on its last frame";

    runTurns(1);  // frame 257: amplitude 0, in place but zero pixels left out
    EXPECT_TRUE(photoShownAt(0, 100));
    EXPECT_EQ(staffRoll.waveAmplitude, 3);
    EXPECT_TRUE(regionBlack(450, 240, 560, 275)) << "no caption while scattering";
    for (int frame = 258; frame <= 289; ++frame) {
        runTurns(1);
        ASSERT_EQ(staffRoll.photoPhase, 2) << frame;
        ASSERT_EQ(staffRoll.photoIndex, 0) << frame;
    }
    EXPECT_FALSE(photoShownAt(0, 100));
    runTurns(1);  // frame 290: the last scatter step (amplitude 99)
    EXPECT_EQ(staffRoll.photoPhase, 0);
    EXPECT_EQ(staffRoll.photoIndex, 1);
    EXPECT_EQ(staffRoll.photoY, -120);
    EXPECT_EQ(staffRoll.photoSliding, 1);
    EXPECT_EQ(staffRoll.captionBrightness, 0);

    runTurns(1);  // frame 291: the second photograph comes down
    EXPECT_EQ(staffRoll.photoY, -116);
    EXPECT_TRUE(photoShownAt(1, -116));
    EXPECT_FALSE(regionBlack(400, 0, 520, 4));
    // It ends at 2 x 255 frames from the start.
    runTurns(510 - 291);
    EXPECT_EQ(staffRoll.photoPhase, 0);
    runTurns(1);
    EXPECT_EQ(staffRoll.photoPhase, 2);
}

TEST(EndingStaffRoll, TheScatterMovesEachPixelAlongItsColumnAndRowDirections) {
    freshStartedRun();
    seedRandom(31);
    fillRect(devices.workSurface, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            at(devices.workSurface, 300 + x, 200 + y) =
                static_cast<uint8_t>(x == 1 && y == 1 ? 0 : 100 + 4 * y + x);
    staffRoll.photoPhase = 0;
    waveInit(310, 220, 300, 200, 1, 1, {0, 0, 4, 4}, devices.backBuffer, devices.workSurface);
    EXPECT_EQ(staffRoll.photoPhase, 2);
    EXPECT_EQ(wave.waveArea.width, 4);
    EXPECT_EQ(wave.waveGroup.width, 1);
    // The angles came from the generator: columns first, then rows.
    seedRandom(31);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(wave.waveColumnAngle[x], nextRandom() % 360);
    for (int y = 0; y < 4; ++y) EXPECT_EQ(wave.waveRowAngle[y], nextRandom() % 360);

    // Fixed directions. Shifts round down: at amplitude 10, column angle 120
    // (cosine -511) moves -5, angle 180 (-1023) moves -10; row angle 270
    // (sine -1023) moves -10; angle 270's cosine and angle 0's sine are 0.
    const int angles[4] = {0, 120, 180, 270};
    const int dx[4] = {10, -5, -10, 0};
    for (int x = 0; x < 4; ++x) wave.waveColumnAngle[x] = angles[x];
    for (int y = 0; y < 4; ++y) wave.waveRowAngle[y] = y == 1 ? 270 : 0;
    fillRect(devices.backBuffer, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, 9);
    waveStep(10);
    for (int y = 0; y < 4; ++y) {
        const int dy = y == 1 ? -10 : 0;
        for (int x = 0; x < 4; ++x) {
            const int want = x == 1 && y == 1 ? 9 : 100 + 4 * y + x;  // a zero pixel is left out
            EXPECT_EQ(at(devices.backBuffer, 310 + x + dx[x], 220 + y + dy), want) << x << "," << y;
        }
    }

    // Destinations off the surface are skipped, not wrapped.
    for (int x = 0; x < 4; ++x) wave.waveColumnAngle[x] = 180;
    fillRect(devices.backBuffer, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, 9);
    waveInit(0, 0, 300, 200, 1, 1, {0, 0, 4, 4}, devices.backBuffer, devices.workSurface);
    for (int x = 0; x < 4; ++x) wave.waveColumnAngle[x] = 180;
    for (int y = 0; y < 4; ++y) wave.waveRowAngle[y] = 0;
    waveStep(50);
    int changed = 0;
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x) changed += at(devices.backBuffer, x, y) != 9;
    EXPECT_EQ(changed, 0);
}

TEST(EndingStaffRoll, WholePhotographsDrawTheirZeroPixelsBlack) {
    freshStartedRun();
    paintPhotos();
    fillRect(devices.backBuffer, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, 9);
    blitClipped(devices.backBuffer, 400, 100, devices.syasinSurface, photoRects[0], false);
    EXPECT_EQ(at(devices.backBuffer, 400, 100), 0);  // (0, 0) is a zero pixel of the photograph
    EXPECT_EQ(at(devices.backBuffer, 401, 100), photoValue(0, 1, 0));
}

TEST(EndingStaffRoll, CreditsScrollThenNoticeThenLogoAndItStaysWithoutEnter) {
    startEnding();
    // The logo: a recognisable pattern with transparent pixels.
    for (int y = LOGO_TOP; y < LOGO_BOTTOM; ++y)
        for (int x = LOGO_LEFT; x < LOGO_RIGHT_MAX; ++x)
            at(devices.spriteSheet, x, y) = (x + y) % 3 == 0 ? COLOR_KEY : 200;

    runTurns(1);
    EXPECT_FLOAT_EQ(staffRoll.scrollOffset, 479.0f);
    runTurns(3678);  // frame 3679: the last line is still on its way out
    EXPECT_EQ(staffRoll.scrollActive, 1);
    EXPECT_EQ(staffRoll.noticeOn, 0);
    runTurns(1);  // frame 3680
    EXPECT_EQ(staffRoll.scrollActive, 0);
    EXPECT_EQ(staffRoll.photosActive, 0);
    EXPECT_EQ(staffRoll.noticeOn, 1);
    EXPECT_FLOAT_EQ(staffRoll.scrollOffset, 0.0f);

    runTurns(60);
    EXPECT_FALSE(regionBlack(160, 160, 460, 195)) << "notice shown";
    runTurns(80);  // frame 3820: 90 frames at full brightness, then 5 levels a frame
    EXPECT_EQ(staffRoll.noticeBrightness, 0);
    EXPECT_EQ(staffRoll.noticeOn, 1);
    EXPECT_EQ(staffRoll.logoRight, 0);

    runTurns(1);  // frame 3821: the notice ends and the logo starts
    EXPECT_EQ(staffRoll.noticeDone, 1);
    EXPECT_EQ(staffRoll.noticeOn, 0);
    EXPECT_EQ(staffRoll.logoRight, 3);
    EXPECT_EQ(staffRoll.creditBrightness, 1);
    EXPECT_EQ(presentedPixel(100, 100), 200);  // sheet (2, 177) is opaque
    EXPECT_EQ(presentedPixel(101, 100), 0);    // the wipe has not reached it

    runTurns(400);
    EXPECT_EQ(staffRoll.logoRight, LOGO_RIGHT_MAX);
    EXPECT_EQ(staffRoll.creditBrightness, 255);
    EXPECT_EQ(loop.GameScene, SCENE_STAFF_ROLL);
    int mismatches = 0;
    for (int y = LOGO_TOP; y < LOGO_BOTTOM; ++y)
        for (int x = LOGO_LEFT; x < LOGO_RIGHT_MAX; ++x) {
            const int want = (x + y) % 3 == 0 ? 0 : 200;
            mismatches += presentedPixel(100 + x - LOGO_LEFT, 100 + y - LOGO_TOP) != want;
        }
    EXPECT_EQ(mismatches, 0);
    EXPECT_FALSE(regionBlack(450, 460, 640, 480)) << "production line";
}

TEST(EndingStaffRoll, EnterOnTheFirstFrameLeavesWithTheMusicClosed) {
    startEnding();
    headless::clearMusicLog();
    headless::setKey(Key::Enter, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_AWARD);
    ASSERT_EQ(headless::musicCommandCount(), 1);
    EXPECT_STREQ(headless::musicCommand(0), "Close WAV01");
    EXPECT_EQ(staffRoll.rollFrames, 0);
    EXPECT_EQ(staffRoll.rollEnterLatch, 1);
}

TEST(EndingStaffRoll, AHeldEnterActsOnceAndEveryEndingStartsFromTheBeginning) {
    startEnding();
    runTurns(400);
    headless::setKey(Key::Enter, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_AWARD);
    // Back on the staff roll with Enter still held: the latch keeps it there.
    loop.GameScene = SCENE_STAFF_ROLL;
    runTurns(3);
    EXPECT_EQ(loop.GameScene, SCENE_STAFF_ROLL);
    headless::setKey(Key::Enter, false);
    runTurns(1);
    headless::setKey(Key::Enter, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_AWARD);
    headless::setKey(Key::Enter, false);

    // A later ending in the same run plays from its first frame.
    staffRoll.scrollActive = 0;
    staffRoll.noticeDone = 1;
    staffRoll.logoRight = 448;
    staffRoll.photosActive = 0;
    loop.GameScene = SCENE_ENDING_START;
    runTurns(2);
    EXPECT_EQ(staffRoll.rollFrames, 1);
    EXPECT_EQ(staffRoll.scrollActive, 1);
    EXPECT_EQ(staffRoll.photosActive, 1);
    EXPECT_EQ(staffRoll.noticeDone, 0);
    EXPECT_EQ(staffRoll.logoRight, 0);
    EXPECT_EQ(staffRoll.photoY, -116);
    EXPECT_FLOAT_EQ(staffRoll.scrollOffset, 479.0f);
}

TEST(EndingStaffRoll, FramesWithTheGameArt) {
    freshStartedRun();
    ensureGreyPalette();
    seedRandom(2003);
    loop.GameScene = SCENE_ENDING_START;
    runTurns(1);
    runTurns(200);
    saveScreen("ending_staff_roll_caption");
    runTurns(72);  // frame 272: the first photograph scattering
    saveScreen("ending_staff_roll_scatter");
    runTurns(3680 - 272 + 60);
    saveScreen("ending_staff_roll_notice");
    runTurns(400);
    saveScreen("ending_staff_roll_logo");
}
