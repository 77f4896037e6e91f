// SPDX-License-Identifier: GPL-2.0-or-later
// The file protocols shared by every platform.
#include "core/files.h"

#include "platform/backend.h"

int32_t fileOpCount;
int32_t fileOpStopAt;
int32_t fileOpFailOnce;

void resetFileOps() {
    fileOpCount = 0;
    fileOpStopAt = 0;
    fileOpFailOnce = 0;
}

namespace {

const FileSteps& steps() { return backend().files; }

// Counts one step; false when the hook cuts it.
bool fileStepAllowed() {
    ++fileOpCount;
    if (fileOpStopAt <= 0) return true;
    if (fileOpFailOnce) return fileOpCount != fileOpStopAt;
    return fileOpCount < fileOpStopAt;
}

// The steps that change the disk, each behind the hook.
bool createFile(const char* path, const void* data, size_t size) {
    if (!fileStepAllowed()) return false;
    const FileHandle file = steps().createNew(path);
    if (file == NO_FILE) return false;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    if (!fileStepAllowed()) {
        // A write cut off in the middle leaves a torn file behind.
        steps().write(file, bytes, size / 2);
        steps().close(file);
        return false;
    }
    if (!steps().write(file, bytes, size) || !fileStepAllowed() || !steps().flush(file) || !fileStepAllowed()) {
        steps().close(file);
        return false;
    }
    return steps().close(file);
}

bool renameOver(const char* from, const char* to) { return fileStepAllowed() && steps().rename(from, to); }

bool syncFolder(const char* path) { return fileStepAllowed() && steps().syncFolder(path); }

bool makeFolder(const char* path) {
    if (steps().nameKind(path) == NameKind::Folder) return true;
    return fileStepAllowed() && steps().makeFolder(path);
}

}  // namespace

FileRead readWholeFile(const char* path, void* buffer, size_t size) {
    return steps().readFile(path, buffer, size);
}

NameKind nameKind(const char* path) { return steps().nameKind(path); }

bool removeName(const char* path) { return fileStepAllowed() && steps().remove(path); }

namespace {

// The mark is a regular file the save made; anything else of that name
// (a folder, a link) is a stray and commits nothing.
bool committed(const FileSet& set) { return nameKind(set.commitPath) == NameKind::File; }

bool installPendingSet(const FileSet& set) {
    for (int i = 0; i < set.count; ++i) {
        const SetFile& file = set.files[i];
        if (nameKind(file.pendingPath) == NameKind::File) {
            // A folder in the set's place cannot be renamed over.
            if (nameKind(file.path) == NameKind::Folder && !removeName(file.path)) return false;
            if (!renameOver(file.pendingPath, file.path)) return false;
        } else if (nameExists(file.pendingPath) && !removeName(file.pendingPath)) {
            return false;
        }
    }
    if (!syncFolder(set.folder)) return false;
    if (!removeName(set.commitPath)) return false;
    return syncFolder(set.folder);
}

void discardPendingFiles(const FileSet& set) {
    for (int i = 0; i < set.count; ++i) {
        if (nameExists(set.files[i].pendingPath)) removeName(set.files[i].pendingPath);
    }
}

// Creates a file where a stray may stand: the stray goes first.
bool createAfresh(const char* path, const void* bytes, size_t size) {
    return removeName(path) && createFile(path, bytes, size);
}

}  // namespace

bool settleFileSet(const FileSet& set) {
    if (!nameExists(set.folder)) return true;
    if (committed(set)) return installPendingSet(set);
    discardPendingFiles(set);
    return !nameExists(set.commitPath) || removeName(set.commitPath);
}

const char* fileOfSet(const FileSet& set, int index) {
    const SetFile& file = set.files[index];
    if (committed(set) && nameKind(file.pendingPath) == NameKind::File) return file.pendingPath;
    return file.path;
}

bool writeFileSet(const FileSet& set, const void* const images[], const size_t sizes[]) {
    if (!makeFolder(set.folder)) return false;
    // A committed set still waiting must go in first, or it would be lost.
    if (!settleFileSet(set)) return false;

    for (int i = 0; i < set.count; ++i) {
        if (!createAfresh(set.files[i].pendingPath, images[i], sizes[i])) {
            discardPendingFiles(set);
            return false;
        }
    }
    if (!syncFolder(set.folder) || !createAfresh(set.commitPath, "", 0) ||
        !syncFolder(set.folder)) {
        // Not surely committed: the mark goes first, so that whatever reaches
        // the disk leaves either the old set or the whole new one.
        if (removeName(set.commitPath) && syncFolder(set.folder)) discardPendingFiles(set);
        // A mark that could not be taken back leaves the new set as the one
        // a read finds.
        return committed(set);
    }
    // Committed: the new set is on disk and is what a read finds. A cut from
    // here on leaves it for settleFileSet to put in place.
    installPendingSet(set);
    return true;
}

bool replaceFile(const char* folder, const char* path, const char* pendingPath, const void* bytes,
                 size_t size) {
    char probe[1];
    if (readWholeFile(path, probe, sizeof probe).outcome == ReadOutcome::Unreadable) return false;
    if (!makeFolder(folder)) return false;
    if (!createAfresh(pendingPath, bytes, size) || !renameOver(pendingPath, path)) {
        removeName(pendingPath);
        return false;
    }
    syncFolder(folder);
    return true;
}
