// SPDX-License-Identifier: GPL-2.0-or-later
// The file protocols shared by every platform.
#include "core/files.h"

#include <cstdio>

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

// The second names of a set: a set written while a committed one cannot be
// put in place (a name the system refuses to replace or remove) goes under
// "<name>.next" with its own mark, and is then folded into the first names.
constexpr int MAX_SET_FILES = 8;
constexpr size_t NAME_MAX_BYTES = 128;
struct NextNames {
    char mark[NAME_MAX_BYTES];
    char files[MAX_SET_FILES][NAME_MAX_BYTES];
    bool ok;
};

NextNames nextNamesOf(const FileSet& set) {
    NextNames names{};
    names.ok = set.count <= MAX_SET_FILES && std::snprintf(names.mark, NAME_MAX_BYTES, "%s.next",
                                                           set.commitPath) < static_cast<int>(NAME_MAX_BYTES);
    for (int i = 0; names.ok && i < set.count; ++i) {
        names.ok = std::snprintf(names.files[i], NAME_MAX_BYTES, "%s.next", set.files[i].path) <
                   static_cast<int>(NAME_MAX_BYTES);
    }
    return names;
}

bool nextCommitted(const NextNames& next) { return next.ok && nameKind(next.mark) == NameKind::File; }

// Puts the pending files in place. One that cannot be (its name refuses)
// stays pending with the mark, and the rest still go in: a read finds the
// whole set either way.
bool installPendingSet(const FileSet& set) {
    bool all = true;
    for (int i = 0; i < set.count; ++i) {
        const SetFile& file = set.files[i];
        if (nameKind(file.pendingPath) == NameKind::File) {
            // A folder in the set's place cannot be renamed over.
            if (nameKind(file.path) == NameKind::Folder) removeName(file.path);
            all = renameOver(file.pendingPath, file.path) && all;
        } else if (nameExists(file.pendingPath)) {
            all = removeName(file.pendingPath) && all;
        }
    }
    if (!all || !syncFolder(set.folder)) return false;
    if (!removeName(set.commitPath)) return false;
    return syncFolder(set.folder);
}

void discardPendingFiles(const FileSet& set) {
    for (int i = 0; i < set.count; ++i) {
        if (nameExists(set.files[i].pendingPath)) removeName(set.files[i].pendingPath);
    }
}

void discardNextFiles(const FileSet& set, const NextNames& next) {
    for (int i = 0; next.ok && i < set.count; ++i) {
        if (nameExists(next.files[i])) removeName(next.files[i]);
    }
}

// Puts a committed second set in place: each file at its name, or where the
// name refuses, at its pending name under the first mark (the older pending
// file goes first, so no read ever takes it for the newer set). The second
// mark goes last; the first goes too once nothing is pending.
bool installNextSet(const FileSet& set, const NextNames& next) {
    bool pendingLeft = false;
    for (int i = 0; i < set.count; ++i) {
        const SetFile& file = set.files[i];
        if (nameKind(next.files[i]) != NameKind::File) {
            if (nameExists(next.files[i]) && !removeName(next.files[i])) return false;
            pendingLeft = pendingLeft || nameKind(file.pendingPath) == NameKind::File;
            continue;
        }
        if (nameExists(file.pendingPath) && !removeName(file.pendingPath)) return false;
        if (nameKind(file.path) == NameKind::Folder) removeName(file.path);
        if (renameOver(next.files[i], file.path)) continue;
        if (!committed(set) || !renameOver(next.files[i], file.pendingPath)) return false;
        pendingLeft = true;
    }
    if (!syncFolder(set.folder)) return false;
    if (!pendingLeft && nameExists(set.commitPath) &&
        (!removeName(set.commitPath) || !syncFolder(set.folder))) {
        return false;
    }
    return removeName(next.mark) && syncFolder(set.folder);
}

// Creates a file where a stray may stand: the stray goes first.
bool createAfresh(const char* path, const void* bytes, size_t size) {
    return removeName(path) && createFile(path, bytes, size);
}

// Writes a new set under the second names while the committed one waits,
// commits it with the second mark, and puts it in place.
bool writeNextSet(const FileSet& set, const NextNames& next, const void* const images[],
                  const size_t sizes[]) {
    for (int i = 0; i < set.count; ++i) {
        if (!createAfresh(next.files[i], images[i], sizes[i])) {
            discardNextFiles(set, next);
            return false;
        }
    }
    if (!syncFolder(set.folder) || !createAfresh(next.mark, "", 0) || !syncFolder(set.folder)) {
        if (removeName(next.mark) && syncFolder(set.folder)) discardNextFiles(set, next);
        return nextCommitted(next);
    }
    installNextSet(set, next);
    return true;
}

}  // namespace

bool settleFileSet(const FileSet& set) {
    if (!nameExists(set.folder)) return true;
    const NextNames next = nextNamesOf(set);
    if (nextCommitted(next)) {
        if (!installNextSet(set, next)) return false;
    } else {
        discardNextFiles(set, next);
        if (next.ok && nameExists(next.mark) && !removeName(next.mark)) return false;
    }
    if (committed(set)) return installPendingSet(set);
    discardPendingFiles(set);
    return !nameExists(set.commitPath) || removeName(set.commitPath);
}

const char* fileOfSet(const FileSet& set, int index) {
    static NextNames next;
    next = nextNamesOf(set);
    if (nextCommitted(next) && nameKind(next.files[index]) == NameKind::File) return next.files[index];
    const SetFile& file = set.files[index];
    if (committed(set) && nameKind(file.pendingPath) == NameKind::File) return file.pendingPath;
    return file.path;
}

bool writeFileSet(const FileSet& set, const void* const images[], const size_t sizes[]) {
    if (!makeFolder(set.folder)) return false;
    // A committed set still waiting must go in first, or it would be lost.
    // When a name refuses it, the new set takes the second names instead.
    if (!settleFileSet(set)) {
        const NextNames next = nextNamesOf(set);
        if (!next.ok || !committed(set) || nextCommitted(next)) return false;
        return writeNextSet(set, next, images, sizes);
    }

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
