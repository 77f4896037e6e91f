// Replacing the five save files as one set.
#include "state/save_set.h"

#include "state/file_ops.h"

namespace {

bool installPendingSet() {
    for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
        if (pathExists(saveFiles[file].pendingPath) &&
            !renameFile(saveFiles[file].pendingPath, saveFiles[file].path)) {
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
    if (pathExists(SAVE_COMMIT_PATH)) return installPendingSet();
    discardPendingFiles();
    return true;
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
        return false;
    }
    // Committed: a cut from here on leaves the new set for settleSaveSet.
    return installPendingSet();
}
