// SPDX-License-Identifier: GPL-2.0-or-later
// Runs the game headless from program start, one main-loop turn at a time, on
// a virtual clock, and prints the trace of the scenes entered.
#pragma once
#include <cstdint>

// Program start as the real entry does it: every global back to its start
// value, the headless backend, the start-up. The clock moves `tickMs` before
// every turn and `presentMs` at every present.
void driverStart(uint32_t tickMs, uint32_t presentMs, bool trace);
void driverSetTick(uint32_t tickMs);
void driverSetPresentAdvance(uint32_t presentMs);

// One turn of the main loop. False once the program has quit (then no turn runs).
bool driverTurn();
bool driverQuit();

int64_t driverTurns();   // turns run so far
uint32_t driverMillis(); // the virtual clock
int driverFrames();      // frames presented so far

// Ends the run as Escape does, if it has not ended yet.
void driverFinish();
