// SPDX-License-Identifier: GPL-2.0-or-later
// Where the game's relative names lie on Windows. "data/..." is read under
// the data root and "savedat..." written under the save root; every other
// name, and these two while their root is unset, lies under the working
// folder. The game's names are ASCII with forward slashes; the file steps use
// the wide calls with the backslashed result.
#pragma once
#include <cstddef>

constexpr int WIDE_PATH_MAX = 1024;

// Sets both roots (folders without a trailing backslash); null or empty
// unsets one.
void setGameRoots(const wchar_t* dataRoot, const wchar_t* saveRoot);
// The wide path a game name stands for; false when it does not fit.
bool gamePathToWide(const char* path, wchar_t* out, size_t size);
// The save root, or an empty string while it is unset.
const wchar_t* saveRoot();
