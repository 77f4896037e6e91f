// SPDX-License-Identifier: GPL-2.0-or-later
// The game over: tile numbering and its scatter, the four start waves, the
// burst at the bottom line, the end state, leaving, and the clipped copy.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "core/devices.h"
#include "core/rng.h"
#include "core/scenes.h"
#include "frontend/game_over.h"
#include "frontend/shatter.h"
#include "market/market_state.h"
#include "platform/headless/headless.h"
#include "support/test_support.h"

using namespace testing_support;

namespace {

constexpr int TILE = 10;
constexpr int TILES_X = SCREEN_WIDTH / TILE;
constexpr int TILES_Y = SCREEN_HEIGHT / TILE;

uint8_t& at(Surface& s, int x, int y) { return s.pixels[y * s.pitch + x]; }

// A picture of values 1 to 200 with a sprinkle of colour-key pixels.
uint8_t pictureValue(int x, int y) {
    if ((x * 7 + y * 13) % 37 == 0) return COLOR_KEY;
    return static_cast<uint8_t>(1 + (x + 3 * y) % 200);
}

void paintPicture() {
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x) at(devices.overSurface, x, y) = pictureValue(x, y);
}

// The caption sprite: a pattern with transparent holes.
uint8_t captionValue(int x, int y) { return (x + y) % 5 == 0 ? COLOR_KEY : static_cast<uint8_t>(210 + (x % 7)); }

void paintCaption() {
    const Rect r = gameOverCaptionRect;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) at(devices.spriteSheet, x, y) = captionValue(x, y);
}

bool inCaption(int x, int y) {
    const Rect r = gameOverCaptionRect;
    return x >= GAME_OVER_CAPTION_X && x < GAME_OVER_CAPTION_X + (r.right - r.left) &&
           y >= GAME_OVER_CAPTION_Y && y < GAME_OVER_CAPTION_Y + (r.bottom - r.top);
}

// The caption as it must show over a pixel, or -1 where it is transparent or absent.
int captionOver(int x, int y) {
    if (!inCaption(x, y)) return -1;
    const int sx = gameOverCaptionRect.left + x - GAME_OVER_CAPTION_X;
    const int sy = gameOverCaptionRect.top + y - GAME_OVER_CAPTION_Y;
    const uint8_t v = captionValue(sx, sy);
    return v == COLOR_KEY ? -1 : v;
}

void startGameOver(uint32_t seed) {
    freshStartedRun();
    paintPicture();
    paintCaption();
    seedRandom(seed);
    loop.GameScene = SCENE_GAME_OVER;
}

std::vector<int32_t> tileNumbers() {
    std::vector<int32_t> numbers;
    for (int ty = 0; ty < TILES_Y; ++ty)
        for (int tx = 0; tx < TILES_X; ++tx) numbers.push_back(shatter.cellState[ty * TILE][tx * TILE]);
    return numbers;
}

}  // namespace

TEST(EndingGameOver, TilesAreNumberedThenScatteredByCopying) {
    startGameOver(4321);
    runTurns(1);
    EXPECT_EQ(ending.gameOverPhase, 2);
    EXPECT_EQ(shatter.shatterCell.width, 10);
    EXPECT_EQ(shatter.shatterCell.height, 10);
    EXPECT_EQ(shatter.shatterArea.width, 640);
    EXPECT_EQ(shatter.shatterArea.height, 480);
    EXPECT_EQ(shatter.shatterClock, 0);

    // The same scatter worked out here: number in order, then copy each
    // tile's current number over a drawn tile.
    seedRandom(4321);
    std::vector<int32_t> expected(TILES_X * TILES_Y);
    for (int i = 0; i < TILES_X * TILES_Y; ++i) expected[i] = i + 1;
    for (int i = 0; i < TILES_X * TILES_Y; ++i) {
        const int rx = nextRandom() % TILES_X;
        const int ry = nextRandom() % TILES_Y;
        expected[ry * TILES_X + rx] = expected[i];
    }
    const std::vector<int32_t> numbers = tileNumbers();
    EXPECT_EQ(numbers, expected);
    // A copy, not a swap: some numbers repeat, so fewer distinct ones remain.
    const std::set<int32_t> distinct(numbers.begin(), numbers.end());
    EXPECT_LT(distinct.size(), numbers.size());
    EXPECT_GE(*distinct.begin(), 1);
    EXPECT_LE(*distinct.rbegin(), 3072);

    // Every pixel starts at home.
    EXPECT_EQ(shatter.pixelX[123][456], 456);
    EXPECT_EQ(shatter.pixelY[123][456], 123);
    EXPECT_EQ(shatter.pixelVY[123][456], 0);
}

TEST(EndingGameOver, FourWavesStartOnTheThirdToSixthFrames) {
    startGameOver(99);
    runTurns(1);
    const std::vector<int32_t> numbers = tileNumbers();
    for (int frame = 2; frame <= 6; ++frame) {
        runTurns(1);
        const int32_t started = 1000 * (frame - 2);  // threshold of this frame's step
        int wrong = 0;
        for (int i = 0; i < TILES_X * TILES_Y; ++i) {
            const int32_t state = shatter.cellState[(i / TILES_X) * TILE][(i % TILES_X) * TILE];
            if ((numbers[i] <= started) != (state < 0)) ++wrong;
        }
        EXPECT_EQ(wrong, 0) << "frame " << frame;
    }
    // After the fifth step every tile has started.
    for (int32_t state : tileNumbers()) EXPECT_LT(state, 0);
}

TEST(EndingGameOver, FallingStartsFromRestAndTheBottomRowBurstsAtOnce) {
    startGameOver(7);
    runTurns(1);
    const std::vector<int32_t> numbers = tileNumbers();
    runTurns(2);  // the step of frame 3 starts the first wave

    int checkedBottom = 0;
    int checkedUpper = 0;
    for (int i = 0; i < TILES_X * TILES_Y; ++i) {
        if (numbers[i] > 1000) continue;
        const int ty = (i / TILES_X) * TILE;
        const int tx = (i % TILES_X) * TILE;
        if (ty == 470) {
            // Arrived before moving: bursts on this step and jumps 10 to 19 up.
            EXPECT_EQ(shatter.cellState[ty][tx], CELL_BURSTING);
            for (int py = ty; py < ty + TILE; ++py) {
                for (int px = tx; px < tx + TILE; ++px) {
                    EXPECT_GE(shatter.pixelY[py][px], py - 19);
                    EXPECT_LE(shatter.pixelY[py][px], py - 10);
                    EXPECT_EQ(shatter.pixelVY[py][px], shatter.pixelY[py][px] - py + 1);
                }
            }
            ++checkedBottom;
        } else {
            EXPECT_EQ(shatter.cellState[ty][tx], CELL_FALLING);
            EXPECT_EQ(shatter.pixelY[ty][tx], ty);  // the first step does not move it
            EXPECT_EQ(shatter.pixelVY[ty][tx], 1);
            ++checkedUpper;
        }
    }
    EXPECT_GT(checkedBottom, 0);
    EXPECT_GT(checkedUpper, 0);

    runTurns(1);
    for (int i = 0; i < TILES_X * TILES_Y; ++i) {
        const int ty = (i / TILES_X) * TILE;
        if (numbers[i] > 1000 || ty >= 460) continue;
        EXPECT_EQ(shatter.pixelY[ty][(i % TILES_X) * TILE], ty + 1);
    }
}

TEST(EndingGameOver, FirstFramesShowThePictureThenKeyPixelsAtTheFill) {
    startGameOver(5);
    runTurns(1);
    int mismatches = 0;
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        for (int x = 0; x < SCREEN_WIDTH; ++x) {
            const int caption = captionOver(x, y);
            const int want = caption >= 0 ? caption : pictureValue(x, y);
            if (presentedPixel(x, y) != want) ++mismatches;
        }
    }
    EXPECT_EQ(mismatches, 0);

    runTurns(1);
    mismatches = 0;
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        for (int x = 0; x < SCREEN_WIDTH; ++x) {
            const int caption = captionOver(x, y);
            const uint8_t picture = pictureValue(x, y);
            const int want = caption >= 0 ? caption : (picture == COLOR_KEY ? 0 : picture);
            if (presentedPixel(x, y) != want) ++mismatches;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(EndingGameOver, FramesWithTheGameArt) {
    freshStartedRun();
    seedRandom(2003);
    loop.GameScene = SCENE_GAME_OVER;
    runTurns(1);
    saveScreen("ending_game_over_start");
    runTurns(24);
    saveScreen("ending_game_over_midway");
    runTurns(16);
    saveScreen("ending_game_over_late");
}

TEST(EndingGameOver, WhenEverythingIsGoneOnlyTheCaptionRemains) {
    startGameOver(2024);
    int frames = 0;
    auto allGone = [] {
        for (int32_t state : tileNumbers())
            if (state != CELL_GONE) return false;
        return true;
    };
    do {
        runTurns(1);
        ++frames;
    } while (!allGone() && frames < 400);
    ASSERT_TRUE(allGone());
    runTurns(5);
    int mismatches = 0;
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        for (int x = 0; x < SCREEN_WIDTH; ++x) {
            const int caption = captionOver(x, y);
            if (presentedPixel(x, y) != (caption >= 0 ? caption : 0)) ++mismatches;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(loop.GameScene, SCENE_GAME_OVER);
}

TEST(EndingGameOver, AClickReturnsToTheTitleAndTheNextGameOverStartsAfresh) {
    startGameOver(11);
    market.ruinReady = 1;
    mouse(300, 300, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_LOAD);
    EXPECT_EQ(market.ruinReady, 0);

    // Run the effect to its end, leave, and come back: the picture is whole again.
    mouse(300, 300, false);
    loop.GameScene = SCENE_GAME_OVER;
    runTurns(150);
    mouse(300, 300, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_LOAD);
    mouse(300, 300, false);
    loop.GameScene = SCENE_GAME_OVER;
    runTurns(1);
    EXPECT_EQ(presentedPixel(5, 5), pictureValue(5, 5));
    EXPECT_EQ(presentedPixel(600, 470), pictureValue(600, 470));
    EXPECT_EQ(ending.gameOverPhase, 2);
}

TEST(EndingGameOver, FailedLocksSkipTheDrawing) {
    startGameOver(3);
    runTurns(1);
    headless::setLocksFail(true);
    runTurns(1);
    headless::setLocksFail(false);
    EXPECT_EQ(presentedPixel(5, 5), 0);
    EXPECT_EQ(shatter.shatterClock, 1000);
}

TEST(EndingGameOver, AnAreaNotAMultipleOfTheTileIsCutIntoColumns) {
    freshStartedRun();
    seedRandom(1);
    EXPECT_EQ(shatterInit(0, 0, 0, 0, 10, 10, {5, 0, 40, 20}, devices.backBuffer, devices.workSurface), 2);
    EXPECT_EQ(shatter.shatterArea.width, 35);
    EXPECT_EQ(shatter.shatterArea.height, 20);
    EXPECT_EQ(shatter.shatterCell.width, 1);
    EXPECT_EQ(shatter.shatterCell.height, 10);
    // 35 columns by 2 rows of tiles, numbered 1 to 70 before the scatter.
    for (int ty = 0; ty < 20; ty += 10)
        for (int tx = 0; tx < 35; ++tx) {
            EXPECT_GE(shatter.cellState[ty][tx], 1);
            EXPECT_LE(shatter.cellState[ty][tx], 70);
        }
    EXPECT_EQ(shatter.cellState[0][35], 0);
    EXPECT_EQ(shatter.cellState[20][0], 0);
}

TEST(EndingGameOver, BlitClippedCutsTheRectangleAtTheScreenEdges) {
    freshStartedRun();
    for (int y = 100; y < 120; ++y)
        for (int x = 100; x < 140; ++x)
            at(devices.spriteSheet, x, y) = static_cast<uint8_t>(x == 115 ? COLOR_KEY : x);
    const Rect sprite = {100, 100, 140, 120};
    auto clear = [] { fillRect(devices.backBuffer, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, 7); };

    // Left edge: the leftmost 10 columns are cut and the rest lands at x = 0.
    clear();
    blitClipped(devices.backBuffer, -10, 50, devices.spriteSheet, sprite, false);
    for (int x = 0; x < 30; ++x) {
        const int want = x == 5 ? COLOR_KEY : 110 + x;  // opaque: the key pixel is copied too
        EXPECT_EQ(at(devices.backBuffer, x, 50), want) << x;
        EXPECT_EQ(at(devices.backBuffer, x, 69), want) << x;
    }
    EXPECT_EQ(at(devices.backBuffer, 30, 50), 7);
    EXPECT_EQ(at(devices.backBuffer, 0, 49), 7);
    EXPECT_EQ(at(devices.backBuffer, 0, 70), 7);

    // Top edge, with the colour key: the key column stays untouched.
    clear();
    blitClipped(devices.backBuffer, 20, -15, devices.spriteSheet, sprite, true);
    EXPECT_EQ(at(devices.backBuffer, 20, 0), 100);
    EXPECT_EQ(at(devices.backBuffer, 20, 4), 100);
    EXPECT_EQ(at(devices.backBuffer, 20, 5), 7);
    EXPECT_EQ(at(devices.backBuffer, 35, 0), 7);

    // Right and bottom edges keep the left and top of the sprite.
    clear();
    blitClipped(devices.backBuffer, 630, 470, devices.spriteSheet, sprite, false);
    EXPECT_EQ(at(devices.backBuffer, 630, 470), 100);
    EXPECT_EQ(at(devices.backBuffer, 639, 479), 109);
    EXPECT_EQ(at(devices.backBuffer, 629, 470), 7);

    // Wholly off the screen: nothing.
    clear();
    blitClipped(devices.backBuffer, -40, 0, devices.spriteSheet, sprite, false);
    blitClipped(devices.backBuffer, 640, 0, devices.spriteSheet, sprite, false);
    blitClipped(devices.backBuffer, 0, -20, devices.spriteSheet, sprite, false);
    blitClipped(devices.backBuffer, 0, 480, devices.spriteSheet, sprite, false);
    int changed = 0;
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x) changed += at(devices.backBuffer, x, y) != 7;
    EXPECT_EQ(changed, 0);
}
