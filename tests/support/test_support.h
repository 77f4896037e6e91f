// SPDX-License-Identifier: GPL-2.0-or-later
// Helpers for the test suites: a fresh program state on the headless backend,
// scripted turns, and frame output.
#pragma once
#include <cstdint>
#include <string>

#include "core/devices.h"
#include "platform/headless/headless.h"

namespace testing_support {

// A fresh run in-process: all state back to program start, the headless
// backend installed, the working folder set to a new empty temporary folder
// holding a link `data` to the generated assets. Returns the folder. The
// previous run's folder is removed, and the last one at exit.
std::string freshRun();
// freshRun plus the whole start-up (surfaces, bitmaps, tables, font).
std::string freshStartedRun();

// Runs the scene in GameScene `count` times, advancing the virtual clock by
// `msPerCall` before each call and counting frameCounter as the main loop does.
void runTurns(int count, uint32_t msPerCall = 34);

// Moves the cursor and sets the left button.
void mouse(int x, int y, bool down);
// A full click over (x, y): one turn with the button down, one with it up.
void click(int x, int y, uint32_t msPerCall = 34);

// Writes the last presented frame as PNG under build/screens/NAME.png and
// returns the path.
std::string saveScreen(const char* name);

// Every saved record as one byte string, in file order.
std::string savedRecords();

// Reads a whole file; empty when missing.
std::string readFile(const std::string& path);

// The pixel of the last presented frame.
uint8_t presentedPixel(int x, int y);

// One frame with the button down over (x, y), then the button released
// without another frame: for the presses that leave the screen.
void pressOnce(int x, int y);

// Whether the last frame shows the sprite-sheet rectangle at (x, y), colour-key
// pixels aside.
bool spriteShown(int x, int y, Rect source);

}  // namespace testing_support
