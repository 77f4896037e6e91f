// SPDX-License-Identifier: GPL-2.0-or-later
// Start-up, the main loop, the window procedure and the shutdown.
#pragma once
#include <cstdint>

#include "platform/backend.h"

// Start-up steps after the window exists: surfaces and bitmaps, seed, black
// display palette, pens and brushes, trig tables, font.
void startup();
enum class TurnOutcome {
    Ran,      // an event was handled or the current scene ran
    Waiting,  // the current scene has nothing due before mainLoopDueAt()
    Quit,     // the program has shut down
};
// One turn of the main loop; it never blocks. Handles a waiting event, or
// when none waits counts the turns and runs the current scene, unless the
// scene paces itself and its next frame is not due yet. Waiting is the
// backend's business: a desktop sleeps until the frame is due or an event
// comes, a browser returns and is called again on its next animation frame.
TurnOutcome mainLoopTurn();
// When the waiting scene's next frame is due (platform clock).
uint32_t mainLoopDueAt();
// Runs turns until the quit, sleeping in the backend while the scene waits;
// returns the exit code.
int runMainLoop();
// Handles one window event (Escape, close, music notification).
void windowProcedure(const PlatformEvent& event);
// The shutdown; runs at most once.
void shutdown();
bool shutdownDone();
