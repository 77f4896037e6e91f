// SPDX-License-Identifier: GPL-2.0-or-later
// Cost of one present: the page swap and the backend's hand-over of the frame,
// and the conversion and scaling of a frame into window pixels at the sizes
// of common screens (no display needed).
#include <benchmark/benchmark.h>

#include <vector>

#include "core/devices.h"
#include "core/main_loop.h"
#include "platform/headless/headless.h"
#include "platform/shared/picture_scale.h"
#include "program/program.h"

static void BM_Flip(benchmark::State& state) {
    resetProgramState();
    headless::install();
    createStartupSurfaces();
    for (auto _ : state) {
        flip();
        benchmark::DoNotOptimize(devices.backBuffer.pixels);
    }
}
BENCHMARK(BM_Flip);

namespace {
AxisMap columnMap;
AxisMap rowMap;
}  // namespace

// The picture of the start-up (the ranking background) scaled into a window of
// width x height, letterboxed.
static void BM_ScalePicture(benchmark::State& state) {
    resetProgramState();
    headless::install();
    startup();
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    std::vector<uint32_t> window(static_cast<size_t>(width) * height);
    const Viewport view = viewportFor(width, height);
    buildAxisMap(columnMap, SCREEN_WIDTH, view.width);
    buildAxisMap(rowMap, SCREEN_HEIGHT, view.height);
    PaletteEntry palette[256];
    getDisplayPalette(palette);
    uint32_t colors[256];
    for (int i = 0; i < 256; ++i) colors[i] = palette[i].red << 16 | palette[i].green << 8 | palette[i].blue;
    for (auto _ : state) {
        scalePicture(window.data(), width, view, columnMap, rowMap, devices.rankingSurface.pixels,
                     devices.rankingSurface.pitch, colors);
        benchmark::DoNotOptimize(window.data());
    }
}
BENCHMARK(BM_ScalePicture)
    ->Args({1280, 960})
    ->Args({1920, 1080})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMicrosecond);
