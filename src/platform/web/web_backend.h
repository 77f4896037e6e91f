// SPDX-License-Identifier: GPL-2.0-or-later
// The browser backend: the picture into a canvas, input from the page's
// events, a clock that stops while the page is hidden, music through the
// page's Web Audio player. The page calls the game once per animation frame.
#pragma once
#include <cstddef>
#include <cstdint>

// What the program entry gives the browser's loop.
struct WebProgram {
    void (*reset)();                              // every global back to program start
    void (*describe)(char* text, size_t size);    // the state for the page's test hook
};
// Starts the game and has the page run it once per animation frame; returns
// at once (the page keeps calling).
void webRun(const WebProgram& program);

// Makes the browser backend the current one: clock at 0, nothing pressed, no
// events. The input callbacks are registered once.
void webBackendInstall();

// The frame step brackets the game's turns of one animation frame. The clock
// runs live inside a step; between steps it moves by the real time that
// passed, but by no more than a short gap, so that a page that was hidden
// (no animation frames) goes on where it stopped.
void webStepBegin();
void webStepEnd();
// Before each turn: a frame's cost is measured from the turn that drew it.
void webTurnBegin();
// Frames presented since the backend was installed.
int32_t webPresentCount();
// Steps so far that may have changed savedat/ (it is kept across restarts).
int32_t webFolderChanges();
