// Cost of one present: the page swap and the backend's hand-over of the frame.
#include <benchmark/benchmark.h>

#include "shell/headless/headless.h"
#include "shell/main_loop.h"
#include "shell/platform.h"
#include "shell/reset.h"

static void BM_Flip(benchmark::State& state) {
    resetProgramState();
    headless::install();
    createStartupSurfaces();
    for (auto _ : state) {
        flip();
        benchmark::DoNotOptimize(backBuffer.pixels);
    }
}
BENCHMARK(BM_Flip);
