// SPDX-License-Identifier: GPL-2.0-or-later
// The game's files behind one small interface: whole-file reads, a set of
// files replaced as one with a commit mark, one file replaced whole, and the
// removal of a stray name. The protocols are shared by every platform and
// built on the few steps each platform gives (file_system.h), so all of them
// keep the same crash safety.
#pragma once
#include <cstddef>
#include <cstdint>

enum class ReadOutcome {
    Missing,     // nothing at the name
    Read,        // a regular file, read from its start
    Unreadable,  // something at the name that cannot be read (no permission,
                 // a folder, a dangling link, a locked file, a read error)
};

struct FileRead {
    ReadOutcome outcome = ReadOutcome::Missing;
    size_t length = 0;  // bytes read
};

// Reads up to `size` bytes from the start of the file at `path`.
FileRead readWholeFile(const char* path, void* buffer, size_t size);

// What stands at a name; links are not followed.
enum class NameKind { Missing, File, Folder, Other };
NameKind nameKind(const char* path);
inline bool nameExists(const char* path) { return nameKind(path) != NameKind::Missing; }

// Removes the name: a file, a link (never what it points to) or a folder with
// everything in it. True when it is gone, also when it never existed.
bool removeName(const char* path);

// One file of a set: its name, and its name while a new set is written.
struct SetFile {
    const char* path;
    const char* pendingPath;
};

// Files replaced as one. A new set is written completely under the pending
// names and flushed; the commit mark then makes it the set to keep; the
// pending files are renamed over the old ones and the mark goes. A crash at
// any point leaves either the old set or the new one to read.
struct FileSet {
    const char* folder;      // made when missing
    const char* commitPath;  // the mark, inside the folder
    int count;
    const SetFile* files;
};

// Writes `images[i]` (of `sizes[i]` bytes) as the new file i. True once the
// set is committed (the set a read finds); false when it could not be, and
// the old set then stays.
bool writeFileSet(const FileSet& set, const void* const images[], const size_t sizes[]);
// The repair at start-up: finishes a replacement cut off after its commit
// mark, or discards the pending files of one cut off before it. False when a
// committed set could not be put in place (it stays pending for the next try).
bool settleFileSet(const FileSet& set);
// The name a read takes for file i: while a committed set waits (it could not
// be put in place, say in a read-only folder) its pending file where one is
// left, else the file of the set. So a read always finds one whole set.
const char* fileOfSet(const FileSet& set, int index);

// Replaces one file whole: written and flushed under `pendingPath`, then
// renamed over `path` in one step. A file at `path` that is there but cannot
// be read is never replaced (it was never read). False when nothing changed.
bool replaceFile(const char* folder, const char* path, const char* pendingPath, const void* bytes,
                 size_t size);

// The crash-test hook. Every step that changes the disk (create for writing,
// write, flush, close, rename, remove, make folder, flush folder) adds one to
// fileOpCount. When fileOpStopAt > 0, step number fileOpStopAt and every later one fail, as if
// the power were cut there; a write cut off that way leaves the first half of
// its bytes. With fileOpFailOnce set, only step fileOpStopAt fails and later
// ones work again (a full disk, a refused rename).
extern int32_t fileOpCount;
extern int32_t fileOpStopAt;
extern int32_t fileOpFailOnce;
void resetFileOps();
