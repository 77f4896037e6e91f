// Start-up, an idle main-loop turn and one present through the SDL window.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include "shell/headless/headless.h"
#include "shell/main_loop.h"
#include "shell/platform.h"
#include "shell/reset.h"
#include "shell/scenes.h"
#include "shell/sdl/sdl_backend.h"

// The whole start-up: surfaces, the ten bitmaps of data/, tables and font.
static void BM_Startup(benchmark::State& state) {
    for (auto _ : state) {
        resetProgramState();
        headless::install();
        startup();
    }
}
BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond);

// One present in the real window (palette conversion and scaling into the
// window, shown), without the wait for the display. Skipped without a display.
static void BM_SdlPresent(benchmark::State& state) {
    resetProgramState();
    if (!sdlBackendOpen()) {
        sdlBackendClose();
        state.SkipWithError("no display");
        return;
    }
    startup();
    PaletteEntry palette[256];
    getDisplayPalette(palette);
    for (auto _ : state) sdlShowFrame(backBuffer.pixels, backBuffer.pitch, palette);
    sdlBackendClose();
}
BENCHMARK(BM_SdlPresent)->Unit(benchmark::kMicrosecond);

// From an empty process state to the first frame on screen: the window, the
// start-up and the opening's first frame with its present (60 Hz wait included).
static void BM_SdlStartupToFirstPresent(benchmark::State& state) {
    for (auto _ : state) {
        resetProgramState();
        if (!sdlBackendOpen()) {
            sdlBackendClose();
            state.SkipWithError("no display");
            return;
        }
        startup();
        sceneOpening();
        state.PauseTiming();
        sdlBackendClose();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SdlStartupToFirstPresent)->Unit(benchmark::kMillisecond)->Iterations(10);
