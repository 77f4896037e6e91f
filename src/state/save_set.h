// The five save files replaced as one set. A new set is written completely
// under the pending names and flushed; the commit mark then makes it the set
// to keep; the pending files are renamed over the old ones and the mark goes.
// A crash at any point leaves either the old set or the new one to load.
#pragma once
#include <cstdint>

#include "state/save_layout.h"

// Finishes a replacement that was cut off after its commit mark, or discards
// the pending files of one cut off before it. False when a committed set
// could not be put in place (it stays pending for the next try).
bool settleSaveSet();

// The file a load reads for save file `file`: while a committed set waits
// (settleSaveSet could not finish it, say in a read-only folder) its pending
// file where one is left, else the file of the set. So a load always reads
// one whole set: the committed new one, or else the old one.
const char* savedFilePath(int file);

// Writes the five images (in file order, each of its file's size) as the new
// set. True once the set is committed on disk (the set a load reads); false
// when it could not be committed, and the old set then stays.
bool writeSaveSet(const uint8_t* const images[SAVE_FILE_COUNT]);
