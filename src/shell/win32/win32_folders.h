// Where the game finds data/ and keeps savedat/ on Windows.
#pragma once
#include <cstddef>

// Finds data/ in the program's folder, else in the working folder, and
// chooses where saves go: beside the program when its folder can be written
// (a portable copy), else under %LOCALAPPDATA%\kabusim (an installed one).
// Sets the game roots (win32_paths.h). When neither folder has the data,
// writes into `problem` where it looked and returns false.
bool locateGameFolders(wchar_t* problem, size_t size);
// The folder that holds (or will hold) savedat, once located.
const wchar_t* saveFolder();
