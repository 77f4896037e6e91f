// SPDX-License-Identifier: GPL-2.0-or-later
// Where the game runs on Windows: data/ beside the program (or in the working
// folder), saves beside the program when that folder can be written, else
// under %LOCALAPPDATA%\kabusim; the glyph file checked there, and the hold
// on the save folder that keeps a second copy of the game away from it.
#pragma once

#include "platform/win32/win32_messages.h"

// Sets the roots of win32_paths.h; when no data/ is found, `problem` names
// the places looked in and it returns false.
bool win32EnterDataFolder(Message& problem);

// Loads data/glyphs.bin whole (core/text_glyphs.h); when it is missing,
// unreadable or damaged, `problem` names it and it returns false.
bool win32LoadGlyphFile(Message& problem);

enum class FolderHold {
    Held,     // this process alone plays on these saves
    Taken,    // another copy of the game holds them
    Unknown,  // no lock can be made here (a folder that cannot be written)
};
// Opens savedat.lock beside the save folder without sharing, for the life of
// the process; the system closes it (and deletes it) when the process ends in
// any way, so a lock left by a killed game never blocks. On Taken,
// `problem` says so.
FolderHold win32HoldSaveFolder(Message& problem);
