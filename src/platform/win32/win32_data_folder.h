// SPDX-License-Identifier: GPL-2.0-or-later
// Where the game runs on Windows: data/ beside the program (or in the working
// folder), saves beside the program when that folder can be written, else
// under %LOCALAPPDATA%\kabusim; the glyph file checked there, and the hold
// on the save folder that keeps a second copy of the game away from it.
#pragma once

#include "platform/win32/win32_messages.h"

// Finds data/ beside the program (or in the working folder) and sets the
// data root of win32_paths.h; when there is none, `problem` names the places
// looked in and it returns false.
bool win32EnterDataFolder(Message& problem);

enum class FolderHold {
    Held,     // this process alone plays on these saves
    Taken,    // another copy of the game holds them
    Unknown,  // no lock can be made here (a folder that cannot be written)
};
// Chooses where saves go (beside the program when its folder can be written,
// else %LOCALAPPDATA%\kabusim), sets the save root, and holds savedat.lock
// there: opened without sharing for the life of the process, closed (and
// deleted) by the system when the process ends in any way, so a lock left
// by a killed game never blocks. On Taken, `problem` says so, and nothing
// has been written.
FolderHold win32HoldSaveFolder(Message& problem);

// Loads data/glyphs.bin whole (core/text_glyphs.h); when it is missing,
// unreadable or damaged, `problem` names it and it returns false.
bool win32LoadGlyphFile(Message& problem);
