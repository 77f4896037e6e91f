// SPDX-License-Identifier: GPL-2.0-or-later
// Cost of one frame of the opening, the title menu, name entry and the price
// graph on the headless backend, with the art of data/ when it is found in the
// working folder.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "core/devices.h"
#include "core/main_loop.h"
#include "core/scenes.h"
#include "frontend/front_scenes.h"
#include "frontend/front_state.h"
#include "market/market.h"
#include "market/market_state.h"
#include "platform/headless/headless.h"
#include "program/program.h"
#include "state/records.h"
#include "trading/trading_state.h"

namespace {

void startFrontRun() {
    resetProgramState();
    headless::install();
    startup();
    headless::setCursor(600, 40);
    headless::setButton(false);
}

// Scenes paced by the clock get enough virtual time for every call to draw.
void runFrames(benchmark::State& state, void (*scene)(), uint32_t msPerFrame) {
    for (auto _ : state) {
        headless::advanceTime(msPerFrame);
        scene();
        benchmark::DoNotOptimize(devices.backBuffer.pixels);
    }
}

}  // namespace

static void BM_OpeningFrame(benchmark::State& state) {
    startFrontRun();
    loop.GameScene = SCENE_OPENING;
    runFrames(state, sceneOpening, 0);
}
BENCHMARK(BM_OpeningFrame);

static void BM_TitleFrame(benchmark::State& state) {
    startFrontRun();
    loop.GameScene = SCENE_TITLE_LOAD;
    sceneTitleLoad();
    front.titleMenuOpen = 1;  // with the panel and its two texts
    runFrames(state, sceneTitleMenu, 40);
}
BENCHMARK(BM_TitleFrame);

static void BM_NameEntryFrame(benchmark::State& state) {
    startFrontRun();
    loop.GameScene = SCENE_NAME_ENTRY;
    std::snprintf(front.nameBuffer, sizeof front.nameBuffer, "%s", "kabuya");
    front.nameLength = 6;
    front.goalYears = 120;
    runFrames(state, sceneNameEntry, 0);
}
BENCHMARK(BM_NameEntryFrame);

static void BM_GraphFrame(benchmark::State& state) {
    startFrontRun();
    for (int i = 0; i < SLOTS; ++i) {
        std::snprintf(ListedCompanies[i].name, sizeof ListedCompanies[i].name, "%s", catalogNames[i]);
        PriceHistoryRow& row = PriceHistory[i];
        row.historyCount = HISTORY_LENGTH;
        for (int k = 0; k < HISTORY_LENGTH; ++k) {
            row.history[k] = 100 + k % 3;
            row.graphSteps[k] = k % 2 == 0 ? 1 : -1;
        }
    }
    Holdings[0].shares = 10000;
    loop.GameScene = SCENE_GRAPH_LOAD;
    sceneGraphLoad();
    runFrames(state, sceneGraph, 25);
}
BENCHMARK(BM_GraphFrame);
