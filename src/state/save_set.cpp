// SPDX-License-Identifier: GPL-2.0-or-later
// The save files as one set of files.
#include "state/save_set.h"

namespace {
const SetFile SAVE_SET_FILES[SAVE_FILE_COUNT] = {
    {saveFiles[0].path, saveFiles[0].pendingPath}, {saveFiles[1].path, saveFiles[1].pendingPath},
    {saveFiles[2].path, saveFiles[2].pendingPath}, {saveFiles[3].path, saveFiles[3].pendingPath},
    {saveFiles[4].path, saveFiles[4].pendingPath},
};
}  // namespace

const FileSet saveSet{SAVE_FOLDER, SAVE_COMMIT_PATH, SAVE_FILE_COUNT, SAVE_SET_FILES};

bool settleSaveSet() { return settleFileSet(saveSet); }

const char* savedFilePath(int file) { return fileOfSet(saveSet, file); }

bool writeSaveSet(const uint8_t* const images[SAVE_FILE_COUNT]) {
    const void* files[SAVE_FILE_COUNT];
    size_t sizes[SAVE_FILE_COUNT];
    for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
        files[file] = images[file];
        sizes[file] = saveFiles[file].size;
    }
    return writeFileSet(saveSet, files, sizes);
}
