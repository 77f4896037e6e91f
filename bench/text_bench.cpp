// SPDX-License-Identifier: GPL-2.0-or-later
// Cost of drawing text (the lines of a market frame's board, opaque and
// transparent, headless) and of opening the font at start-up.
#include <benchmark/benchmark.h>

#include "core/devices.h"
#include "core/draw_context.h"
#include "core/main_loop.h"
#include "platform/headless/headless.h"
#include "program/program.h"

namespace {
const char* const LINES[] = {
    "株式会社カブシム電機", "2003年1月2日", "2000000円", "あと10年", "購入　持ち株　支援",
    "Mr.ピクル", "12345", "ｶﾌﾞｼﾑ", "①②③ 新会社設立", "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
};

void drawLines() {
    getDC();
    int y = 0;
    for (const char* line : LINES) {
        textOut(10, y, line);
        y += 16;
    }
    setBkMode(BkMode::Transparent);
    for (const char* line : LINES) {
        textOut(300, y, line);
        y += 16;
    }
    releaseDC();
}
}  // namespace

// Twenty lines of text, 188 characters.
static void BM_TextLines(benchmark::State& state) {
    resetProgramState();
    headless::install();
    startup();
    drawLines();  // every glyph in place before timing
    for (auto _ : state) {
        drawLines();
        benchmark::DoNotOptimize(devices.backBuffer.pixels);
    }
}
BENCHMARK(BM_TextLines)->Unit(benchmark::kMicrosecond);

// The font as start-up opens it, from closed.
static void BM_TextFontOpen(benchmark::State& state) {
    resetProgramState();
    headless::install();
    for (auto _ : state) {
        closeTextFont();
        benchmark::DoNotOptimize(openTextFont());
    }
    closeTextFont();
}
BENCHMARK(BM_TextFontOpen)->Unit(benchmark::kMillisecond);
