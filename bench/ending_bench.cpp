// SPDX-License-Identifier: GPL-2.0-or-later
// Cost of one frame of the game over while its picture breaks up, and of one
// frame of the staff roll while the credits scroll and the photographs come
// and scatter; headless, with the art of data/ when it is found.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "core/devices.h"
#include "core/main_loop.h"
#include "core/rng.h"
#include "core/scenes.h"
#include "frontend/award.h"
#include "frontend/front_scenes.h"
#include "frontend/game_over.h"
#include "frontend/staff_roll.h"
#include "market/market.h"
#include "market/market_state.h"
#include "platform/headless/headless.h"
#include "program/program.h"
#include "scratch_folder.h"
#include "state/records.h"
#include "trading/trading_state.h"

namespace {

void startEndingRun() {
    resetProgramState();
    headless::install();
    startup();
    seedRandom(1234);
    headless::setButton(false);
}

}  // namespace

// Frames 2 to 60 of the effect, where every tile waits, falls or bursts; the
// set-up frame is left out of the timing.
static void BM_GameOverFrame(benchmark::State& state) {
    startEndingRun();
    loop.GameScene = SCENE_GAME_OVER;
    int frame = 0;
    for (auto _ : state) {
        if (frame == 0 || frame > 60) {
            state.PauseTiming();
            ending.gameOverPhase = 0;
            sceneGameOver();
            frame = 1;
            state.ResumeTiming();
        }
        sceneGameOver();
        ++frame;
        benchmark::DoNotOptimize(devices.backBuffer.pixels);
    }
}
BENCHMARK(BM_GameOverFrame)->Repetitions(5)->ReportAggregatesOnly(true);

// The credits' whole scroll with its thirteen photographs, over and over.
static void BM_StaffRollFrame(benchmark::State& state) {
    startEndingRun();
    loop.GameScene = SCENE_STAFF_ROLL;
    restartStaffRoll();
    for (auto _ : state) {
        if (staffRoll.rollFrames >= 3600) {
            state.PauseTiming();
            restartStaffRoll();
            state.ResumeTiming();
        }
        sceneStaffRoll();
        benchmark::DoNotOptimize(devices.backBuffer.pixels);
    }
}
BENCHMARK(BM_StaffRollFrame)->Repetitions(5)->ReportAggregatesOnly(true);

// The award certificate: name, share value, cash and the class icon.
static void BM_AwardFrame(benchmark::State& state) {
    startEndingRun();
    std::strcpy(Player.playerName, "kabu");
    Player.cash = 1234;
    PortfolioValue.stockValue = 5678;
    for (auto _ : state) {
        loop.GameScene = SCENE_AWARD;
        if (ending.awardFrames >= AWARD_MAX_FRAMES - 1) ending.awardFrames = 0;
        sceneAward();
        benchmark::DoNotOptimize(devices.backBuffer.pixels);
    }
}
BENCHMARK(BM_AwardFrame)->Repetitions(5)->ReportAggregatesOnly(true);

// The ranking table: one ordering pass, five rows with icons, the file kept.
static void BM_RankingFrame(benchmark::State& state) {
    ScratchFolder scratch;  // the ranking file goes there, not to the game's own savedat/
    startEndingRun();
    for (auto _ : state) {
        loop.GameScene = SCENE_RANKING;
        sceneRanking();
        benchmark::DoNotOptimize(devices.backBuffer.pixels);
    }
}
BENCHMARK(BM_RankingFrame)->Repetitions(5)->ReportAggregatesOnly(true);
