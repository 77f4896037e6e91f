// SPDX-License-Identifier: GPL-2.0-or-later
// Where the game runs on Linux: the folder that holds data/ (read) and
// savedat/ (written), the glyph file checked in it, and the hold on it that
// keeps a second copy of the game away from the same saves.
#pragma once
#include <cstdio>

// Keeps the working folder when it has the game's data/, else moves to the
// program's own folder when that one has it. When neither has, writes one line
// to `err` naming both places and returns false.
bool posixEnterDataFolder(FILE* err);

// Loads data/glyphs.bin of the game folder whole (core/text_glyphs.h). When it
// is missing, unreadable or damaged, writes one line to `err` naming it and
// returns false.
bool posixLoadGlyphFile(FILE* err);

enum class FolderHold {
    Held,     // this process alone plays on the game folder's saves
    Taken,    // another copy of the game holds it
    Unknown,  // the system gives no lock here; the game goes on without one
};
// Takes the lock of the game folder (flock, dropped by the system when the
// process ends in any way) and keeps it for the life of the process. On
// Taken, `message` gets the line that says so (no line end).
FolderHold posixHoldGameFolder(char* message, size_t size);
