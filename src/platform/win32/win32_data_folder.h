// SPDX-License-Identifier: GPL-2.0-or-later
// Where the game runs on Windows: data/ beside the program (or in the working
// folder), saves beside the program when that folder can be written, else
// under %LOCALAPPDATA%\kabusim.
#pragma once
#include <cstdio>

// Sets the roots of win32_paths.h; when no data/ is found, writes one line
// to `err` naming the places and returns false.
bool win32EnterDataFolder(FILE* err);
