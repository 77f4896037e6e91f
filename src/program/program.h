// SPDX-License-Identifier: GPL-2.0-or-later
// The program: the layers put together on the core. Its reset is the one
// every entry calls first (the game, the runner, the tests, the benchmarks).
#pragma once

// Puts every global of the program back to its program-start value, gives the
// core the game's scenes and hooks, and leaves no backend chosen.
void resetProgramState();
