// SPDX-License-Identifier: GPL-2.0-or-later
// Cost of one market frame without the present: thirty companies, the news,
// a message on the panel, and every 60th frame a price step with its save;
// headless, with the art of data/ when it is found.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/devices.h"
#include "core/main_loop.h"
#include "core/rng.h"
#include "core/scenes.h"
#include "market/market.h"
#include "market/market_state.h"
#include "platform/headless/headless.h"
#include "program/program.h"
#include "scratch_folder.h"
#include "state/save_writer.h"

namespace {

void startMarketRun() {
    resetProgramState();
    headless::install();
    startup();  // the art is read from data/ of the working folder
    seedRandom(1234);
    for (int32_t slot = 0; slot < SLOTS; ++slot) {
        std::strcpy(ListedCompanies[slot].name, catalogNames[slot]);
        ListedCompanies[slot].price = 200 + 20 * slot;
        std::snprintf(session.priceText[slot], sizeof session.priceText[slot], "%d",
                      ListedCompanies[slot].price);
        CatalogIndex[slot] = slot;
        CompanyCatalog[slot].listed = 1;
        Holdings[slot].shares = slot % 3 == 0 ? 10000 : 0;
    }
    std::strcpy(Player.playerName, "かぶぬし");
    Player.cash = 200;
    std::strcpy(Player.cashText, "2000000円");
    PortfolioValue.everBought = 1;
    Calendar = CalendarRecord{2003, 1, 2, 10};
    std::strcpy(session.yearsLeftText, "あと10年");
    loop.GameScene = SCENE_MARKET;
    headless::setCursor(300, 300);
    headless::setButton(false);
}

}  // namespace

// The board with the save message open and the news scrolling, between price steps.
static void BM_MarketFrame(benchmark::State& state) {
    ScratchFolder scratch;  // the saves go there
    startMarketRun();
    market.saveShowing = 1;
    for (auto _ : state) {
        market.stepTicks = 0;
        ++loop.frameCounter;
        runMarketFrame();
        benchmark::DoNotOptimize(devices.backBuffer.pixels);
    }
}
BENCHMARK(BM_MarketFrame)->Repetitions(5)->ReportAggregatesOnly(true);

// The 60th frame: the save handed to the writer thread, as in the game, and
// the step of thirty prices.
static void BM_MarketPriceStepFrame(benchmark::State& state) {
    ScratchFolder scratch;
    startMarketRun();
    setBackgroundSaving(true);
    market.saveShowing = 1;
    for (auto _ : state) {
        market.stepTicks = PRICE_STEP_FRAMES - 1;
        market.marketPaused = 0;  // a bankruptcy would hold the steps
        ++loop.frameCounter;
        runMarketFrame();
        benchmark::DoNotOptimize(devices.backBuffer.pixels);
    }
    setBackgroundSaving(false);
}
BENCHMARK(BM_MarketPriceStepFrame)->Repetitions(5)->ReportAggregatesOnly(true);

// A frame of the entrance transition.
static void BM_MarketTransitionFrame(benchmark::State& state) {
    ScratchFolder scratch;
    startMarketRun();
    for (auto _ : state) {
        if (market.marketTransition == 0) market.marketTransition = 2;
        runMarketFrame();
        benchmark::DoNotOptimize(devices.backBuffer.pixels);
    }
}
BENCHMARK(BM_MarketTransitionFrame)->Repetitions(5)->ReportAggregatesOnly(true);
