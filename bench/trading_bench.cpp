// SPDX-License-Identifier: GPL-2.0-or-later
// Cost of one frame of each trading screen, drawn on the headless backend
// with the art of data/ when it is found in the working folder.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "core/devices.h"
#include "core/main_loop.h"
#include "core/scenes.h"
#include "platform/headless/headless.h"
#include "program/program.h"
#include "state/records.h"
#include "trading/trading_state.h"

namespace {

void startTradingRun(int32_t scene) {
    resetProgramState();
    headless::install();
    startup();
    for (int i = 0; i < SLOTS; ++i) {
        std::snprintf(ListedCompanies[i].name, sizeof ListedCompanies[i].name, "%s", catalogNames[i]);
        ListedCompanies[i].price = 100 + i;
        Holdings[i].shares = 10000 * (i % 4);
        TradeRows[i].bought = 1;
    }
    Player.cash = 5000;
    std::snprintf(Player.cashText, sizeof Player.cashText, "%ld0000円", static_cast<long>(Player.cash));
    loop.GameScene = scene;
    headless::setCursor(320, 60);
    headless::setButton(false);
}

void runFrames(benchmark::State& state, void (*scene)()) {
    for (auto _ : state) {
        scene();
        benchmark::DoNotOptimize(devices.backBuffer.pixels);
    }
}

}  // namespace

static void BM_BuyFrameOrdering(benchmark::State& state) {
    startTradingRun(SCENE_BUY);
    runFrames(state, sceneBuy);
}
BENCHMARK(BM_BuyFrameOrdering);

// The decided state: a purchase list of ten lines, all shown, with its rule.
static void BM_BuyFrameDecided(benchmark::State& state) {
    startTradingRun(SCENE_BUY);
    for (int i = 0; i < 10; ++i) trading.buyOrder[i] = 10000;
    trading.buyTotal = 1045;
    headless::setCursor(263, 448);
    headless::setButton(true);
    sceneBuy();
    headless::setCursor(320, 60);
    headless::setButton(false);
    for (int i = 0; i < 200; ++i) sceneBuy();
    runFrames(state, sceneBuy);
}
BENCHMARK(BM_BuyFrameDecided);

static void BM_HoldingsFrame(benchmark::State& state) {
    startTradingRun(SCENE_HOLDINGS);
    runFrames(state, sceneHoldings);
}
BENCHMARK(BM_HoldingsFrame);

static void BM_SellFrame(benchmark::State& state) {
    startTradingRun(SCENE_SELL);
    runFrames(state, sceneSell);
}
BENCHMARK(BM_SellFrame);

static void BM_SupportFrame(benchmark::State& state) {
    startTradingRun(SCENE_SUPPORT);
    runFrames(state, sceneSupport);
}
BENCHMARK(BM_SupportFrame);
