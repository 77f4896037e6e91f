// SPDX-License-Identifier: GPL-2.0-or-later
// Start-up, the main loop, the window procedure and the shutdown.
#include "core/main_loop.h"

#include <cstdint>

#include "core/devices.h"
#include "core/draw_context.h"
#include "core/files.h"
#include "core/frame_stats.h"
#include "core/reset.h"
#include "core/rng.h"
#include "core/scenes.h"
#include "core/trig.h"

void resetPlatformState();
void resetSurfaces();
void runShutdownHooks();
void clearCoreHooks();

namespace {
// Pacing. A scene that paces itself by the clock returns early until its
// next frame is due; the loop then sleeps instead of spinning, and counts
// the turns of that time at a fixed rate, so a day lasts the same on every
// machine.
constexpr int64_t TURNS_PER_MS = 1000;

// What the loop keeps from turn to turn.
struct LoopRun {
    bool shutdownHasRun = false;
    bool quitPosted = false;
    bool sceneIdle = false;       // the last call returned early
    uint32_t sceneDueAt = 0;      // when its next frame is due
    int32_t pacedScene = -1;      // the scene seen pacing itself since it was entered
    uint32_t lastCallMillis = 0;  // the clock at the last scene call
};
LoopRun run;

// Adds the turns since the last scene call to frameCounter: one for a scene
// that draws on every call, the clock's time at the fixed rate for one that
// paces itself. Hours on a screen that never ends a day would run past the
// largest count; it stays there, and the next market frame ends the day.
void countTurns() {
    const uint32_t now = timeGetTime();
    int64_t turns = 1;
    if (run.pacedScene == loop.GameScene) {
        const int64_t elapsed = static_cast<int64_t>(now - run.lastCallMillis) * TURNS_PER_MS;
        if (elapsed > turns) turns = elapsed;
    } else {
        run.pacedScene = -1;
    }
    run.lastCallMillis = now;
    const int64_t counted = static_cast<int64_t>(loop.frameCounter) + turns;
    loop.frameCounter = counted < INT32_MAX ? static_cast<int32_t>(counted) : INT32_MAX;
}

constexpr const char* STARTUP_BITMAPS[] = {
    "data/gamemain.BMP", "data/char.BMP",   "data/syasin.BMP", "data/uke.BMP",  "data/kounyu.BMP",
    "data/shien.BMP",    "data/hyosho.BMP", "data/over.BMP",   "data/edit.BMP", "data/ranking.BMP",
};
Surface* const STARTUP_SURFACES[] = {
    &devices.gameMainSurface, &devices.spriteSheet,    &devices.syasinSurface, &devices.ukeSurface,
    &devices.kounyuSurface,   &devices.shienSurface,   &devices.hyoshoSurface, &devices.overSurface,
    &devices.editSurface,     &devices.rankingSurface,
};
}  // namespace

void startup() {
    createStartupSurfaces();
    for (int i = 0; i < 10; ++i) loadBitmapToSurface(*STARTUP_SURFACES[i], STARTUP_BITMAPS[i]);
    seedRandom(timeGetTime());
    for (PaletteEntry& entry : devices.displayPalette) {
        entry.red = 0;
        entry.green = 0;
        entry.blue = 0;
    }
    buildTrigTables();
    openTextFont();
}

void windowProcedure(const PlatformEvent& event) {
    switch (event.kind) {
        case EventKind::Escape:
        case EventKind::Close:
            shutdown();
            break;
        case EventKind::MusicDone:
            if (event.code == 1 && !run.shutdownHasRun) mciSendString("Play WAV01 from 0 notify");
            break;
        case EventKind::None:
            break;
    }
}

void shutdown() {
    if (run.shutdownHasRun) return;
    run.shutdownHasRun = true;
    backend().restoreDisplay();
    releaseAllSurfaces();
    mciSendString("Close WAV01");
    closeTextFont();
    runShutdownHooks();
    run.quitPosted = true;
}

bool shutdownDone() { return run.shutdownHasRun; }

void idleUntil(uint32_t dueAt) {
    run.sceneIdle = true;
    run.sceneDueAt = dueAt;
    run.pacedScene = loop.GameScene;
}

TurnOutcome mainLoopTurn() {
    PlatformEvent event;
    if (backend().nextEvent(event)) {
        windowProcedure(event);
        return TurnOutcome::Ran;
    }
    if (run.quitPosted) return TurnOutcome::Quit;
    if (run.sceneIdle) {
        if (run.pacedScene == loop.GameScene && static_cast<int32_t>(run.sceneDueAt - timeGetTime()) > 0) {
            return TurnOutcome::Waiting;
        }
        run.sceneIdle = false;
    }
    countTurns();
    frameStatsSceneCall();
    runScene(loop.GameScene);
    return TurnOutcome::Ran;
}

uint32_t mainLoopDueAt() { return run.sceneDueAt; }

int runMainLoop() {
    for (;;) {
        switch (mainLoopTurn()) {
            case TurnOutcome::Quit:
                return 0;
            case TurnOutcome::Waiting: {
                const int32_t wait = static_cast<int32_t>(run.sceneDueAt - timeGetTime());
                if (wait > 0) backend().waitEvent(static_cast<uint32_t>(wait));
                break;
            }
            case TurnOutcome::Ran:
                break;
        }
    }
}

void resetCoreState() {
    loop = LoopState{};
    rng = RngState{};
    trig = TrigTables{};
    run = LoopRun{};
    resetSurfaces();
    resetPlatformState();
    releaseDC();
    clearCoreHooks();
    resetFileOps();
}
