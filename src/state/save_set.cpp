// Replacing the five save files as one set.
#include "state/save_set.h"

#include "state/file_ops.h"

namespace {

// The mark is a regular file the save made; anything else of that name
// (a folder, a link) is a stray and commits nothing.
bool committed() { return isRegularFile(SAVE_COMMIT_PATH); }

bool installPendingSet() {
    for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
        const SaveFileLayout& layout = saveFiles[file];
        if (isRegularFile(layout.pendingPath)) {
            // A folder in the set's place cannot be renamed over.
            if (isFolder(layout.path) && !removeFile(layout.path)) return false;
            if (!renameFile(layout.pendingPath, layout.path)) return false;
        } else if (pathExists(layout.pendingPath) && !removeFile(layout.pendingPath)) {
            return false;
        }
    }
    if (!syncFolder(SAVE_FOLDER)) return false;
    if (!removeFile(SAVE_COMMIT_PATH)) return false;
    return syncFolder(SAVE_FOLDER);
}

void discardPendingFiles() {
    for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
        if (pathExists(saveFiles[file].pendingPath)) removeFile(saveFiles[file].pendingPath);
    }
}

}  // namespace

bool settleSaveSet() {
    if (committed()) return installPendingSet();
    discardPendingFiles();
    return !pathExists(SAVE_COMMIT_PATH) || removeFile(SAVE_COMMIT_PATH);
}

const char* savedFilePath(int file) {
    const SaveFileLayout& layout = saveFiles[file];
    if (committed() && isRegularFile(layout.pendingPath)) return layout.pendingPath;
    return layout.path;
}

bool writeSaveSet(const uint8_t* const images[SAVE_FILE_COUNT]) {
    if (!ensureFolder(SAVE_FOLDER)) return false;
    // A committed set still waiting must go in first, or it would be lost.
    if (!settleSaveSet()) return false;

    for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
        if (!writeFileDurably(saveFiles[file].pendingPath, images[file], saveFiles[file].size)) {
            discardPendingFiles();
            return false;
        }
    }
    if (!syncFolder(SAVE_FOLDER) || !writeFileDurably(SAVE_COMMIT_PATH, "", 0) || !syncFolder(SAVE_FOLDER)) {
        // Not surely committed: the mark goes first, so that whatever reaches
        // the disk leaves either the old set or the whole new one.
        if (removeFile(SAVE_COMMIT_PATH) && syncFolder(SAVE_FOLDER)) discardPendingFiles();
        // A mark that could not be taken back leaves the new set as the one
        // a load reads.
        return committed();
    }
    // Committed: the new set is on disk and is what a load reads. A cut from
    // here on leaves it for settleSaveSet to put in place.
    installPendingSet();
    return true;
}
