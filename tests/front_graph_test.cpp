// SPDX-License-Identifier: GPL-2.0-or-later
// The price graph: loading, pacing, the red line, texts, buttons and latches.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "core/devices.h"
#include "core/scenes.h"
#include "frontend/front_state.h"
#include "platform/headless/headless.h"
#include "state/records.h"
#include "support/test_support.h"

using namespace testing_support;

namespace {

void enterGraph() {
    freshStartedRun();
    for (int i = 0; i < SLOTS; ++i) {
        std::snprintf(ListedCompanies[i].name, sizeof ListedCompanies[i].name, "㈱テスト%d", i);
        ListedCompanies[i].price = 100 + i;
    }
    mouse(20, 440, false);
    loop.GameScene = SCENE_GRAPH_LOAD;
    runTurns(1);
}

// A background of one colour, so that only the scene's own drawing shows.
void plainBackground(uint8_t index) {
    std::memset(devices.graphSurface.pixels, index, static_cast<size_t>(devices.graphSurface.pitch) * 480);
}

int countIndex(uint8_t index, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) n += presentedPixel(x, y) == index;
    return n;
}

void setRow(int slot, int count, const int* steps) {
    PriceHistoryRow& row = PriceHistory[slot];
    row.historyCount = count;
    for (int i = 0; i < HISTORY_LENGTH; ++i) row.graphSteps[i] = i < count ? steps[i] : 0;
    row.history[0] = 100;
}

void expectSprite(int x, int y, Rect r) {
    for (int sy = r.top; sy < r.bottom; ++sy) {
        for (int sx = r.left; sx < r.right; ++sx) {
            const uint8_t src = devices.spriteSheet.pixels[sy * devices.spriteSheet.pitch + sx];
            if (src == COLOR_KEY) continue;
            ASSERT_EQ(presentedPixel(x + sx - r.left, y + sy - r.top), src) << sx << "," << sy;
        }
    }
}

}  // namespace

TEST(FrontGraph, LoadKeepsOneSurfaceFromVisitToVisit) {
    enterGraph();
    EXPECT_EQ(loop.GameScene, SCENE_GRAPH);
    EXPECT_TRUE(devices.graphSurface.held);
    const uint8_t first = devices.graphSurface.pixels[1000];
    uint8_t* storage = devices.graphSurface.pixels;
    devices.graphSurface.pixels[1000] = static_cast<uint8_t>(first + 1);
    // Back to the market and in again: the picture is loaded afresh into the
    // one surface.
    loop.GameScene = SCENE_GRAPH_LOAD;
    runTurns(1);
    EXPECT_TRUE(devices.graphSurface.held);
    EXPECT_EQ(devices.graphSurface.pixels, storage);
    EXPECT_EQ(devices.graphSurface.pixels[1000], first);
    EXPECT_EQ(loop.GameScene, SCENE_GRAPH);
}

TEST(FrontGraph, DrawsAtMostOneFramePer20Milliseconds) {
    enterGraph();
    const int presents = headless::presentCount();
    runTurns(1, 20);
    EXPECT_EQ(headless::presentCount(), presents + 1);
    runTurns(3, 6);
    EXPECT_EQ(headless::presentCount(), presents + 1);
    runTurns(1, 6);
    EXPECT_EQ(headless::presentCount(), presents + 2);
}

TEST(FrontGraph, NoSamplesDrawNoLine) {
    enterGraph();
    plainBackground(255);
    setRow(0, 0, nullptr);
    PriceHistory[0].graphY = 77;
    runTurns(1);
    const uint8_t red = nearestPaletteIndex(255, 0, 0);
    EXPECT_EQ(countIndex(red, 0, 0, 571, 480), 0);
    EXPECT_EQ(PriceHistory[0].graphY, 335);
}

TEST(FrontGraph, OneSampleDrawsOneSegment) {
    enterGraph();
    plainBackground(255);
    const int steps[] = {1};
    setRow(0, 1, steps);
    runTurns(1);
    const uint8_t red = nearestPaletteIndex(255, 0, 0);
    EXPECT_EQ(PriceHistory[0].graphY, 315);
    EXPECT_EQ(presentedPixel(50, 335), red);
    EXPECT_EQ(presentedPixel(70, 325), red);
    EXPECT_EQ(presentedPixel(90, 315), red);
    EXPECT_EQ(countIndex(red, 93, 0, 571, 480), 0);
    saveScreen("front_graph_one_sample");
}

TEST(FrontGraph, ThirteenSamplesEndAtX570) {
    enterGraph();
    plainBackground(255);
    const int steps[HISTORY_LENGTH] = {1, -3, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, -1};
    setRow(0, 13, steps);
    runTurns(1);
    const uint8_t red = nearestPaletteIndex(255, 0, 0);
    EXPECT_EQ(PriceHistory[0].graphY, 355);
    EXPECT_EQ(presentedPixel(90, 315), red);   // +1 yen: 20 pixels up
    EXPECT_EQ(presentedPixel(130, 375), red);  // -3 yen: 60 pixels down
    EXPECT_EQ(presentedPixel(170, 375), red);
    EXPECT_EQ(presentedPixel(250, 335), red);
    EXPECT_EQ(presentedPixel(530, 335), red);
    EXPECT_EQ(presentedPixel(570, 355), red);
    EXPECT_EQ(presentedPixel(550, 345), red);
    // Nothing beyond the last vertex but the pen's own width.
    EXPECT_EQ(countIndex(red, 572, 0, 640, 480), 0);
    saveScreen("front_graph_thirteen");
}

TEST(FrontGraph, TextsAreOpaqueAndTheNameIsRedWhileSharesAreHeld) {
    enterGraph();
    plainBackground(0);
    const uint8_t red = nearestPaletteIndex(255, 0, 0);
    const uint8_t white = nearestPaletteIndex(255, 255, 255);
    const uint8_t black = nearestPaletteIndex(0, 0, 0);
    setRow(0, 0, nullptr);
    PriceHistory[0].history[0] = 123;
    runTurns(1);
    EXPECT_EQ(countIndex(red, 4, 5, 120, 18), 0);
    EXPECT_GT(countIndex(black, 4, 5, 120, 18), 20);
    EXPECT_GT(countIndex(white, 4, 5, 120, 18), 100);  // the cell's white background
    EXPECT_GT(countIndex(white, 27, 326, 45, 339), 40);
    EXPECT_GT(countIndex(black, 27, 326, 45, 339), 10);
    Holdings[0].shares = 1;
    runTurns(1);
    EXPECT_GT(countIndex(red, 4, 5, 120, 18), 20);
    EXPECT_GT(countIndex(white, 4, 5, 120, 18), 100);
}

TEST(FrontGraph, CompanyButtonsStepOncePerPressAndWrap) {
    enterGraph();
    GraphState.graphSelected = 0;
    click(571, 300);  // previous, top left corner
    EXPECT_EQ(GraphState.graphSelected, 29);
    click(637, 237);  // next, bottom right corner
    EXPECT_EQ(GraphState.graphSelected, 0);
    click(637, 337);
    EXPECT_EQ(GraphState.graphSelected, 29);
    click(600, 210);
    EXPECT_EQ(GraphState.graphSelected, 0);
    // Held down: one step only.
    mouse(600, 210, true);
    runTurns(10);
    EXPECT_EQ(GraphState.graphSelected, 1);
    mouse(600, 210, false);
    runTurns(1);
    for (int i = 0; i < 30; ++i) click(600, 220);
    EXPECT_EQ(GraphState.graphSelected, 1);
    for (int i = 0; i < 30; ++i) click(600, 320);
    EXPECT_EQ(GraphState.graphSelected, 1);
    // Just outside the buttons nothing happens.
    click(570, 210);
    click(638, 210);
    click(600, 238);
    click(600, 299);
    EXPECT_EQ(GraphState.graphSelected, 1);
}

TEST(FrontGraph, PressedImagesFollowTheLatches) {
    enterGraph();
    mouse(600, 210, true);
    runTurns(1);
    EXPECT_EQ(front.graphNextPressed, 1);
    EXPECT_EQ(front.graphNextLatch, 1);
    // Dragged out with the button down: the pressed image stays.
    mouse(300, 100, true);
    runTurns(2);
    EXPECT_EQ(front.graphNextPressed, 1);
    expectSprite(571, 200, {67, 65, 133, 102});
    expectSprite(571, 300, {0, 28, 66, 65});
    // Released elsewhere: still pressed until the cursor comes back up.
    mouse(300, 100, false);
    runTurns(1);
    EXPECT_EQ(front.graphNextPressed, 1);
    EXPECT_EQ(front.graphNextLatch, 1);
    mouse(600, 210, false);
    runTurns(1);
    EXPECT_EQ(front.graphNextPressed, 0);
    EXPECT_EQ(front.graphNextLatch, 0);
    mouse(300, 100, false);
    runTurns(1);
    expectSprite(571, 200, {0, 65, 66, 102});
    expectSprite(571, 100, {134, 28, 200, 64});
    expectSprite(571, 400, {0, 139, 66, 176});
    mouse(600, 310, true);
    runTurns(1);
    mouse(300, 100, true);
    runTurns(1);
    EXPECT_EQ(front.graphPrevPressed, 1);
    expectSprite(571, 300, {67, 28, 133, 65});
    saveScreen("front_graph_pressed");
}

TEST(FrontGraph, BackReturnsToTheMarketOnce) {
    enterGraph();
    mouse(600, 420, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    EXPECT_EQ(front.graphBackLatch, 1);
    EXPECT_EQ(front.graphBackPressed, 0);
    // The press still held on the next visit does nothing until released.
    loop.GameScene = SCENE_GRAPH_LOAD;
    runTurns(3);
    EXPECT_EQ(loop.GameScene, SCENE_GRAPH);
    mouse(600, 420, false);
    runTurns(1);
    EXPECT_EQ(front.graphBackLatch, 0);
    mouse(637, 437, true);
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
}

TEST(FrontGraph, BuyFromTheFirstFrame) {
    freshStartedRun();
    mouse(571, 100, true);
    loop.GameScene = SCENE_GRAPH_LOAD;
    runTurns(2);
    EXPECT_EQ(loop.GameScene, SCENE_BUY);
    // And at its other corner, with no latch in the way.
    mouse(637, 137, true);
    loop.GameScene = SCENE_GRAPH;
    runTurns(1);
    EXPECT_EQ(loop.GameScene, SCENE_BUY);
}

TEST(FrontGraph, ShowsTheSelectedCompany) {
    enterGraph();
    const int steps[HISTORY_LENGTH] = {0, 1, 1, 0, -1, 0, 1, 0, 0, -1, -1, 0, 1};
    setRow(7, 13, steps);
    PriceHistory[7].history[0] = 107;
    Holdings[7].shares = 3;
    GraphState.graphSelected = 7;
    mouse(300, 200, false);
    runTurns(1);
    EXPECT_EQ(PriceHistory[7].graphY, 335 - 20);
    saveScreen("front_graph");
}
