// Cost of one frame of the game over while its picture breaks up, and of one
// frame of the staff roll while the credits scroll and the photographs come
// and scatter; headless, with the art of data/ when it is found.
#include <benchmark/benchmark.h>

#include "frontend/game_over.h"
#include "frontend/staff_roll.h"
#include "shell/headless/headless.h"
#include "shell/main_loop.h"
#include "shell/platform.h"
#include "shell/reset.h"
#include "shell/rng.h"
#include "shell/scenes.h"

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
    GameScene = SCENE_GAME_OVER;
    int frame = 0;
    for (auto _ : state) {
        if (frame == 0 || frame > 60) {
            state.PauseTiming();
            gameOverPhase = 0;
            sceneGameOver();
            frame = 1;
            state.ResumeTiming();
        }
        sceneGameOver();
        ++frame;
        benchmark::DoNotOptimize(backBuffer.pixels);
    }
}
BENCHMARK(BM_GameOverFrame)->Repetitions(5)->ReportAggregatesOnly(true);

// The credits' whole scroll with its thirteen photographs, over and over.
static void BM_StaffRollFrame(benchmark::State& state) {
    startEndingRun();
    GameScene = SCENE_STAFF_ROLL;
    restartStaffRoll();
    for (auto _ : state) {
        if (rollFrames >= 3600) {
            state.PauseTiming();
            restartStaffRoll();
            state.ResumeTiming();
        }
        sceneStaffRoll();
        benchmark::DoNotOptimize(backBuffer.pixels);
    }
}
BENCHMARK(BM_StaffRollFrame)->Repetitions(5)->ReportAggregatesOnly(true);
