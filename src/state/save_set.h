// SPDX-License-Identifier: GPL-2.0-or-later
// The five save files replaced as one set (files.h): a crash at any point
// leaves either the old set or the new one to load.
#pragma once
#include <cstdint>

#include "core/files.h"
#include "state/save_layout.h"

extern const FileSet saveSet;

// Finishes or discards a replacement that was cut off (see settleFileSet).
bool settleSaveSet();
// The file a load reads for save file `file` (see fileOfSet).
const char* savedFilePath(int file);
// Writes the five images (in file order, each of its file's size) as the new
// set. True once the set is committed on disk; false leaves the old set.
bool writeSaveSet(const uint8_t* const images[SAVE_FILE_COUNT]);
