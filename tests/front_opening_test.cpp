// SPDX-License-Identifier: GPL-2.0-or-later
// The opening: strips, fades through the display palette, Enter, title music.
#include <gtest/gtest.h>

#include <cstring>

#include "core/devices.h"
#include "core/scenes.h"
#include "frontend/front_state.h"
#include "platform/headless/headless.h"
#include "support/test_support.h"

using namespace testing_support;

namespace {

// A target palette whose brightest component is 255, with components that are
// and are not multiples of 3.
void setTargets() {
    for (int i = 0; i < 256; ++i) {
        devices.targetPalette[i] = PaletteEntry{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                                static_cast<uint8_t>((i * 7) % 256), 5};
        devices.displayPalette[i] = PaletteEntry{0, 0, 0, 5};
    }
}

void startOpening() {
    freshStartedRun();
    setTargets();
    loop.GameScene = SCENE_OPENING;
    headless::clearMusicLog();
}

bool paletteEqualsTargets(const PaletteEntry* shown) {
    for (int i = 0; i < 256; ++i) {
        if (shown[i].red != devices.targetPalette[i].red ||
            shown[i].green != devices.targetPalette[i].green ||
            shown[i].blue != devices.targetPalette[i].blue)
            return false;
    }
    return true;
}

}  // namespace

TEST(FrontOpening, OneStripTakes171CallsWithTheStepRule) {
    startOpening();
    // 85 calls rising: the brightest component reaches 255 on the last of them.
    runTurns(84);
    EXPECT_EQ(devices.displayPalette[0].green, 252);
    runTurns(1);
    EXPECT_EQ(devices.displayPalette[0].green, 255);
    EXPECT_EQ(front.openingFadeIn, 1);
    EXPECT_EQ(front.openingFadeOut, 0);
    // The call in which the fade-in ends also takes the first step down.
    runTurns(1);
    EXPECT_EQ(front.openingFadeIn, 0);
    EXPECT_EQ(front.openingFadeOut, 1);
    EXPECT_EQ(devices.displayPalette[0].green, 252);
    EXPECT_EQ(front.openingStage, 0);
    runTurns(84);
    EXPECT_EQ(devices.displayPalette[0].green, 0);
    EXPECT_EQ(front.openingStage, 0);
    EXPECT_EQ(front.openingFadeOut, 1);
    runTurns(1);  // call 171 ends the strip
    EXPECT_EQ(front.openingStage, 1);
    EXPECT_EQ(front.openingFadeIn, 1);
    EXPECT_EQ(front.openingFadeOut, 0);
    EXPECT_EQ(headless::presentCount(), 171);
    // Each component stops at its target's remainder modulo 3.
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(devices.displayPalette[i].red, devices.targetPalette[i].red % 3) << i;
        EXPECT_EQ(devices.displayPalette[i].blue, devices.targetPalette[i].blue % 3) << i;
    }
    // The screen was given displayPalette on every call, with its flag bytes.
    EXPECT_EQ(headless::presentedPalette()[7].flags, 5);
    EXPECT_EQ(loop.GameScene, SCENE_OPENING);
    EXPECT_EQ(headless::musicCommandCount(), 0);
}

TEST(FrontOpening, LaterFadesReturnExactlyToTheTargets) {
    startOpening();
    runTurns(171);
    // From the remainders every component climbs back exactly onto its target:
    // some call of the second strip shows the target palette itself.
    bool reached = false;
    for (int call = 0; call < 171; ++call) {
        runTurns(1);
        const PaletteEntry* shown = headless::presentedPalette();
        for (int i = 0; i < 256; ++i) {
            EXPECT_LE(shown[i].red, devices.targetPalette[i].red);
            EXPECT_LE(shown[i].green, devices.targetPalette[i].green);
            EXPECT_LE(shown[i].blue, devices.targetPalette[i].blue);
        }
        if (paletteEqualsTargets(shown)) reached = true;
        if (HasFailure()) break;
    }
    EXPECT_TRUE(reached);
    EXPECT_EQ(front.openingStage, 2);
}

TEST(FrontOpening, FiveStripsThenTitleWithItsMusic) {
    startOpening();
    runTurns(5 * 171);
    EXPECT_EQ(front.openingStage, 5);
    EXPECT_EQ(loop.GameScene, SCENE_OPENING);
    EXPECT_EQ(headless::musicCommandCount(), 0);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_LOAD);
    ASSERT_EQ(headless::musicCommandCount(), 2);
    EXPECT_STREQ(headless::musicCommand(0), "Open data/title.mid Alias WAV01");
    EXPECT_STREQ(headless::musicCommand(1), "Play WAV01 from 0 notify");
    // That last call drew no strip: the frame is index 0 throughout.
    for (int y = 200; y < 240; ++y)
        for (int x = 230; x < 420; ++x) ASSERT_EQ(presentedPixel(x, y), 0) << x << "," << y;
}

TEST(FrontOpening, StripsAreDrawnWithTheColourKeyOnBlack) {
    startOpening();
    const Rect strips[5] = {{295, 511, 461, 530}, {295, 531, 461, 548}, {295, 549, 461, 568},
                            {295, 569, 461, 586}, {295, 587, 461, 613}};
    for (int stage = 0; stage < 5; ++stage) {
        runTurns(1);
        const Rect r = strips[stage];
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                const uint8_t src = devices.spriteSheet.pixels[y * devices.spriteSheet.pitch + x];
                const uint8_t want = src == COLOR_KEY ? 0 : src;
                ASSERT_EQ(presentedPixel(240 + x - r.left, 210 + y - r.top), want) << stage;
            }
        }
        // Nothing below the strip.
        EXPECT_EQ(presentedPixel(240, 210 + (r.bottom - r.top)), 0);
        runTurns(170);
    }
}

TEST(FrontOpening, EnterOnTheFirstFrameSkipsToTheTitle) {
    startOpening();
    headless::setKey(Key::Enter, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_LOAD);
    ASSERT_EQ(headless::musicCommandCount(), 2);
    EXPECT_STREQ(headless::musicCommand(0), "Open data/title.mid Alias WAV01");
    EXPECT_STREQ(headless::musicCommand(1), "Play WAV01 from 0 notify");
    // The rest of the call still ran: one fade step and one frame.
    EXPECT_EQ(headless::presentCount(), 1);
    EXPECT_EQ(devices.displayPalette[0].green, 3);
    headless::setKey(Key::Enter, false);
    // The title follows and the opening is not entered again.
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_MENU);
    EXPECT_EQ(headless::musicCommandCount(), 2);
}

TEST(FrontOpening, AfterStartUpTheFadeAimsAtTheLastBitmapLoaded) {
    freshStartedRun();
    loop.GameScene = SCENE_OPENING;
    PaletteEntry loaded[256];
    std::memcpy(loaded, devices.targetPalette, sizeof loaded);
    runTurns(1);
    EXPECT_EQ(std::memcmp(loaded, devices.targetPalette, sizeof loaded), 0);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(devices.displayPalette[i].red, loaded[i].red > 0 ? 3 : 0);
        EXPECT_EQ(devices.displayPalette[i].green, loaded[i].green > 0 ? 3 : 0);
    }
    // Each strip near its brightest, then on to the title.
    const char* names[5] = {"front_opening_1", "front_opening_2", "front_opening_3",
                            "front_opening_4", "front_opening_5"};
    for (int stage = 0; stage < 5; ++stage) {
        ASSERT_EQ(front.openingStage, stage);
        int calls = 0;
        while (front.openingFadeOut == 0 && calls++ < 300) runTurns(1);
        saveScreen(names[stage]);
        while (front.openingStage == stage && calls++ < 600) runTurns(1);
    }
    EXPECT_EQ(loop.GameScene, SCENE_OPENING);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_LOAD);
}
