// SPDX-License-Identifier: GPL-2.0-or-later
// The browser's main loop: the game starts once the page has put the saved
// folder in place, then runs one step per animation frame and never waits.
#include <emscripten.h>

#include "core/devices.h"
#include "core/main_loop.h"
#include "core/text_glyphs.h"
#include "platform/backend.h"
#include "platform/shared/frame_ticks.h"
#include "platform/web/web_backend.h"

extern "C" {
void webFolderChanged();
void webGameEnded();
void webStarted();
void webStartRefused(const char* path, int32_t reason);
}

namespace {
// A step never holds the page longer than this, whatever the scene does.
constexpr double STEP_BUDGET_MS = 50.0;
// Frames are shown at most 60 times a second, as a desktop present waits for
// the next 1/60 s tick: scenes paced only by their presents keep their speed
// on displays that refresh faster. An animation frame up to EARLY_MS before
// the tick counts as on time.
constexpr uint64_t EARLY_MICROS = 3000;
FrameTicks frameTicks;

uint64_t pageMicros() { return static_cast<uint64_t>(emscripten_get_now() * 1000.0); }

WebProgram program{nullptr, nullptr};
bool running = false;
int32_t storedChanges = 0;
char stateText[1024];

// Turns until a frame is presented, the scene has nothing due, or the game
// ends.
void step() {
    const double start = emscripten_get_now();
    const uint64_t startMicros = pageMicros();
    if (startMicros + EARLY_MICROS < frameTickDue(frameTicks)) return;
    webStepBegin();
    const int32_t presentsBefore = webPresentCount();
    TurnOutcome outcome = TurnOutcome::Ran;
    while (outcome == TurnOutcome::Ran && webPresentCount() == presentsBefore &&
           emscripten_get_now() - start < STEP_BUDGET_MS) {
        webTurnBegin();
        outcome = mainLoopTurn();
    }
    webStepEnd();
    if (webPresentCount() != presentsBefore) nextFrameTick(frameTicks, startMicros);
    // Saves and the ranking are whole between two turns: the page stores the
    // folder as it stands now.
    if (webFolderChanges() != storedChanges) {
        storedChanges = webFolderChanges();
        webFolderChanged();
    }
    if (outcome == TurnOutcome::Quit) {
        running = false;
        emscripten_cancel_main_loop();
        webGameEnded();
    }
}

void start() {
    program.reset();
    webBackendInstall();
    // A glyph file that is not whole stops the start, named, as on the desktop.
    const FontFile font = loadTextFont(backend().files);
    if (font != FontFile::Loaded) {
        webStartRefused(glyphfile::PATH, static_cast<int32_t>(font));
        return;
    }
    startup();
    webStepEnd();
    storedChanges = webFolderChanges();
    startFrameTicks(frameTicks, pageMicros());
    running = true;
    webStarted();
    emscripten_set_main_loop(step, 0, false);
}
}  // namespace

void webRun(const WebProgram& given) {
    program = given;
    start();
}

extern "C" {

// After Escape has ended the game: a new run from program start.
EMSCRIPTEN_KEEPALIVE void webRestart() {
    if (!running && program.reset != nullptr) start();
}

EMSCRIPTEN_KEEPALIVE int webRunning() { return running ? 1 : 0; }

// Another tab has taken the game over: no more turns, so nothing more is
// written. The page reloads to play here again.
EMSCRIPTEN_KEEPALIVE void webHalt() {
    if (!running) return;
    running = false;
    emscripten_cancel_main_loop();
}

// The game's clock in milliseconds.
EMSCRIPTEN_KEEPALIVE double webClockMs() { return static_cast<double>(timeGetTime()); }

// The test hook's state, as the program describes it.
EMSCRIPTEN_KEEPALIVE const char* webState() {
    stateText[0] = '\0';
    if (program.describe != nullptr) program.describe(stateText, sizeof stateText);
    return stateText;
}
}
