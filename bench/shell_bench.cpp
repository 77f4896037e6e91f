// SPDX-License-Identifier: GPL-2.0-or-later
// Start-up, an idle main-loop turn and one present through the SDL window.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <climits>
#include <cstdint>

#include "core/devices.h"
#include "core/draw_context.h"
#include "core/main_loop.h"
#include "core/scenes.h"
#include "frontend/front_scenes.h"
#include "market/market.h"
#include "market/market_state.h"
#include "platform/headless/headless.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_window.h"
#include "program/program.h"
#include "state/records.h"
#include "trading/trading_state.h"

// The whole start-up: surfaces, the ten bitmaps of data/, tables and font.
static void BM_Startup(benchmark::State& state) {
    for (auto _ : state) {
        resetProgramState();
        headless::install();
        startup();
    }
}
BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond);

// One present in a real window of width x height (palette conversion and
// scaling into the window's framebuffer, shown), without the wait for the
// display. Skipped without a display; the screen must be as large.
static void BM_SdlPresent(benchmark::State& state) {
    resetProgramState();
    if (!startVideo()) {
        SDL_Quit();
        state.SkipWithError(videoProblem());
        return;
    }
    headless::install();
    startup();
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Window* window =
        SDL_CreateWindow("present", 0, 0, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                         SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
    if (window == nullptr) {
        SDL_Quit();
        state.SkipWithError("no window");
        return;
    }
    PaletteEntry palette[256];
    getDisplayPalette(palette);
    for (auto _ : state)
        showFrameInWindow(window, devices.rankingSurface.pixels, devices.rankingSurface.pitch, palette);
    SDL_DestroyWindow(window);
    SDL_Quit();
}
BENCHMARK(BM_SdlPresent)
    ->Args({1280, 960})
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMicrosecond);

// From an empty process state to the first frame on screen: the window, the
// start-up and the opening's first frame with its present (60 Hz wait included).
static void BM_SdlStartupToFirstPresent(benchmark::State& state) {
    for (auto _ : state) {
        resetProgramState();
        if (!sdlBackendOpenAndStart()) {
            sdlBackendClose();
            state.SkipWithError(videoProblem());
            return;
        }
        sceneOpening();
        state.PauseTiming();
        sdlBackendClose();
        closeTextFont();  // opened again by the next start-up, as in a new process
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SdlStartupToFirstPresent)->Unit(benchmark::kMillisecond)->Iterations(10);

// The graph's red line with one step of range(0) yen (20 pixels a yen): the
// cost stays that of the part on the screen however far the line runs off it.
static void BM_GraphLineOffScreen(benchmark::State& state) {
    resetProgramState();
    headless::install();
    startup();
    const int64_t far = 335 - 20 * state.range(0);
    const int y = far < INT32_MIN ? INT32_MIN : static_cast<int>(far);
    for (auto _ : state) {
        getDC();
        selectPen(penRed3);
        moveTo(50, 335);
        lineTo(90, y);
        releaseDC();
    }
}
BENCHMARK(BM_GraphLineOffScreen)->Arg(10)->Arg(1000)->Arg(50000000)->Arg(INT32_MAX)->Unit(benchmark::kMicrosecond);
