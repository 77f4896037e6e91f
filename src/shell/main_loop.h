// Start-up, the main loop, the window procedure and the shutdown.
#pragma once
#include <cstdint>

#include "shell/backend.h"

// Start-up steps after the window exists: surfaces and bitmaps, seed, black
// display palette, pens and brushes, trig tables, font.
void startup();
// One turn of the main loop: drains every waiting event, or when none waited
// counts a frame and runs the current scene. Returns false once the program
// has shut down (the quit message was fetched).
bool mainLoopTurn();
// Runs turns until the quit; returns the exit code.
int runMainLoop();
// Handles one window event (Escape, close, music notification).
void windowProcedure(const PlatformEvent& event);
// The shutdown; runs at most once.
void shutdown();
bool shutdownDone();
