// SPDX-License-Identifier: GPL-2.0-or-later
// The headless game loop of the runner.
#include "game_driver.h"

#include <cstdio>

#include "core/devices.h"
#include "core/main_loop.h"
#include "core/scenes.h"
#include "platform/headless/headless.h"
#include "program/program.h"
#include "program/scene_names.h"

namespace {
uint32_t tick = 1;
bool traceOn = true;
bool quit = false;
int64_t turns = 0;
int32_t lastScene = -1;

void traceScene() {
    if (loop.GameScene == lastScene) return;
    lastScene = loop.GameScene;
    if (traceOn) {
        std::printf("turn %lld ms %u scene %d %s\n", static_cast<long long>(turns), driverMillis(),
                    loop.GameScene, sceneName(loop.GameScene));
        std::fflush(stdout);
    }
}
}  // namespace

void driverStart(uint32_t tickMs, uint32_t presentMs, bool trace) {
    tick = tickMs;
    traceOn = trace;
    quit = false;
    turns = 0;
    lastScene = -1;
    resetProgramState();
    headless::install();
    headless::setPresentAdvance(presentMs);
    startup();
    traceScene();
}

void driverSetTick(uint32_t tickMs) { tick = tickMs; }
void driverSetPresentAdvance(uint32_t presentMs) { headless::setPresentAdvance(presentMs); }

bool driverTurn() {
    if (quit) return false;
    headless::advanceTime(tick);
    if (mainLoopTurn() == TurnOutcome::Quit) {
        quit = true;
        if (traceOn) {
            std::printf("turn %lld ms %u quit\n", static_cast<long long>(turns), driverMillis());
            std::fflush(stdout);
        }
        return false;
    }
    ++turns;
    traceScene();
    return true;
}

bool driverQuit() { return quit; }
int64_t driverTurns() { return turns; }
uint32_t driverMillis() { return timeGetTime(); }
int driverFrames() { return headless::presentCount(); }

void driverFinish() {
    if (quit) return;
    headless::pushEvent(EventKind::Escape);
    while (driverTurn()) {
    }
}
