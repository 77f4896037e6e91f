// File operations behind the save and ranking files: whole-file reads, writes
// flushed to disk, renames, and a hook that lets tests cut the operations off
// at any step.
#pragma once
#include <cstddef>
#include <cstdint>

// The folder of the save and ranking files, relative to the working folder.
constexpr const char* SAVE_FOLDER = "savedat";

// Test hook. Every operation that changes the disk (open for writing, write,
// flush to disk, close, rename, remove, make folder, flush folder) adds one to
// fileOpCount. When fileOpStopAt > 0, operation number fileOpStopAt and every
// later one fail, as if the power were cut there; a write cut off that way
// leaves the first half of its bytes. With fileOpFailOnce set, only operation
// fileOpStopAt fails and later ones work again (a full disk, a refused rename).
extern int32_t fileOpCount;
extern int32_t fileOpStopAt;
extern int32_t fileOpFailOnce;
void resetFileOps();

// Reads up to `size` bytes from the start of the file into `buffer`; gives the
// number of bytes read, 0 when the file is missing or unreadable.
size_t readFileInto(const char* path, void* buffer, size_t size);
// Whether the path is a regular file that can be opened for reading.
bool fileReadable(const char* path);
// Whether the path exists at all (a link counts, wherever it points).
bool pathExists(const char* path);
// Whether the path itself is a regular file or a folder (links not followed).
bool isRegularFile(const char* path);
bool isFolder(const char* path);

// Creates the file anew, writes all `size` bytes and flushes them to disk.
// Whatever stood at the path (a stale file, a link, a folder) is removed
// first and the file is created exclusively, so nothing is ever written
// through an existing name. False on any failure; a partial file may remain.
bool writeFileDurably(const char* path, const void* data, size_t size);
// Renames over an existing file or link (atomic on one file system).
bool renameFile(const char* from, const char* to);
// Removes the path: a file, a link (never what it points to) or a folder with
// everything in it. True when it is gone, also when it never existed.
bool removeFile(const char* path);
// Flushes a folder's entries (new names, renames, removals) to disk.
bool syncFolder(const char* path);
// Makes the folder when it is missing; true when it exists afterwards.
bool ensureFolder(const char* path);

// Forces a text field read from a file to end inside its width: a NUL at the
// last byte when the field holds none. The bytes after a NUL are kept.
void forceTextEnd(char* text, size_t width);
// Brings a value into lowest..highest.
int32_t clampToRange(int32_t value, int32_t lowest, int32_t highest);
