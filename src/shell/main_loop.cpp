// Start-up, the main loop, the window procedure and the shutdown.
#include "shell/main_loop.h"

#include <time.h>

#include <cstdint>
#include <cstring>

#include "shell/draw_context.h"
#include "shell/platform.h"
#include "shell/reset.h"
#include "shell/rng.h"
#include "shell/scenes.h"
#include "shell/trig.h"

void resetPlatformState();
void resetSurfaces();

namespace {
uint64_t monotonicMillis() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000;
}
const uint64_t programStart = monotonicMillis();
bool shutdownHasRun = false;
bool quitPosted = false;

constexpr const char* STARTUP_BITMAPS[] = {
    "data/gamemain.BMP", "data/char.BMP",   "data/syasin.BMP", "data/uke.BMP",  "data/kounyu.BMP",
    "data/shien.BMP",    "data/hyosho.BMP", "data/over.BMP",   "data/edit.BMP", "data/ranking.BMP",
};
Surface* const STARTUP_SURFACES[] = {
    &gameMainSurface, &spriteSheet, &syasinSurface, &ukeSurface,  &kounyuSurface,
    &shienSurface,    &hyoshoSurface, &overSurface, &editSurface, &rankingSurface,
};
}  // namespace

uint32_t startupClockMillis() {
    return static_cast<uint32_t>(monotonicMillis() - programStart);
}

void startup() {
    createStartupSurfaces();
    for (int i = 0; i < 10; ++i) loadBitmapToSurface(*STARTUP_SURFACES[i], STARTUP_BITMAPS[i]);
    seedRandom(startupClockMillis());
    for (PaletteEntry& entry : displayPalette) {
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
            if (event.code == 1 && !shutdownHasRun) mciSendString("Play WAV01 from 0 notify");
            break;
        case EventKind::None:
            break;
    }
}

void shutdown() {
    if (shutdownHasRun) return;
    shutdownHasRun = true;
    if (backend().restoreDisplay != nullptr) backend().restoreDisplay();
    releaseAllSurfaces();
    mciSendString("Close WAV01");
    closeTextFont();
    quitPosted = true;
}

bool shutdownDone() { return shutdownHasRun; }

bool mainLoopTurn() {
    PlatformEvent event;
    if (backend().nextEvent(event)) {
        windowProcedure(event);
        return true;
    }
    if (quitPosted) return false;
    // Hours on a screen that never ends a day would run past the largest
    // count; it stays there, and the next market frame ends the day.
    if (frameCounter < INT32_MAX) ++frameCounter;
    runScene(GameScene);
    return true;
}

int runMainLoop() {
    while (mainLoopTurn()) {
    }
    return 0;
}

void resetShellState() {
    GameScene = SCENE_OPENING;
    frameCounter = 0;
    randomState = 1;
    std::memset(sinTable, 0, sizeof sinTable);
    std::memset(cosTable, 0, sizeof cosTable);
    shutdownHasRun = false;
    quitPosted = false;
    resetSurfaces();
    resetPlatformState();
    releaseDC();
}
