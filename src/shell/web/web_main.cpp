// The program entry in the browser: the game starts once the page has put the
// saved folder in place, and then runs one step per animation frame.
#include <emscripten.h>

#include <cstdio>

#include "program/program.h"
#include "scene_names.h"
#include "shell/files.h"
#include "shell/main_loop.h"
#include "shell/scenes.h"
#include "shell/web/web_backend.h"
#include "state/records.h"

extern "C" {
void webFolderChanged();
void webGameEnded();
}

namespace {
// A step never holds the page longer than this, whatever the scene does.
constexpr double STEP_BUDGET_MS = 50.0;

bool running = false;
int32_t savedFileOps = 0;

// Turns until a frame is presented, the scene has nothing due, or the game
// ends; never a wait.
void step() {
    webStepBegin();
    const double start = emscripten_get_now();
    const int32_t presentsBefore = webPresentCount();
    TurnOutcome outcome = TurnOutcome::Ran;
    while (outcome == TurnOutcome::Ran && webPresentCount() == presentsBefore &&
           emscripten_get_now() - start < STEP_BUDGET_MS) {
        webTurnBegin();
        outcome = mainLoopTurn();
    }
    webStepEnd();
    // Saves and the ranking are whole between two turns: the page stores the
    // folder as it stands now.
    if (fileOpCount != savedFileOps) {
        savedFileOps = fileOpCount;
        webFolderChanged();
    }
    if (outcome == TurnOutcome::Quit) {
        running = false;
        emscripten_cancel_main_loop();
        webGameEnded();
    }
}

void start() {
    resetProgramState();
    webBackendInstall();
    startup();
    webStepEnd();
    savedFileOps = fileOpCount;
    running = true;
    emscripten_set_main_loop(step, 0, false);
}

char stateText[1024];
}  // namespace

extern "C" {

// After Escape has ended the game: a new run from program start.
EMSCRIPTEN_KEEPALIVE void webRestart() {
    if (!running) start();
}

EMSCRIPTEN_KEEPALIVE int webRunning() { return running ? 1 : 0; }

// The test hook's state: scene, date, cash and the thirty share counts.
EMSCRIPTEN_KEEPALIVE const char* webState() {
    int length = std::snprintf(stateText, sizeof stateText,
                               "{\"scene\":\"%s\",\"year\":%d,\"month\":%d,\"day\":%d,\"cash\":%d,\"holdings\":[",
                               sceneName(GameScene), Calendar.year, Calendar.month, Calendar.day, Player.cash);
    for (int slot = 0; slot < SLOTS; ++slot) {
        length += std::snprintf(stateText + length, sizeof stateText - length, slot == 0 ? "%d" : ",%d",
                                Holdings[slot].shares);
    }
    std::snprintf(stateText + length, sizeof stateText - length, "]}");
    return stateText;
}
}

int main() {
    start();
    return 0;
}
