// SPDX-License-Identifier: GPL-2.0-or-later
// Where the game runs on Linux: the folder that holds data/ (read) and
// savedat/ (written).
#pragma once
#include <cstdio>

// Keeps the working folder when it has the game's data/, else moves to the
// program's own folder when that one has it. When neither has, writes one line
// to `err` naming both places and returns false.
bool posixEnterDataFolder(FILE* err);
