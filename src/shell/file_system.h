// The steps each platform gives the file protocols of files.h. Every step
// that changes the disk first asks fileStepAllowed(), at the same points on
// every platform, so the crash tests cut all of them alike.
#pragma once
#include <cstddef>

#include "shell/files.h"

// Counts one step; false when the test hook cuts it.
bool fileStepAllowed();

// Reads up to `size` bytes from the start of a regular file (links followed).
FileRead platformReadFile(const char* path, void* buffer, size_t size);
NameKind platformNameKind(const char* path);
// Creates the file anew (whatever stood at the name must be gone: the
// creation is exclusive and never goes through a link), writes all `size`
// bytes and flushes them to the disk. Steps: create, write, flush, close.
// False on any failure; a partial file may remain.
bool platformCreateFile(const char* path, const void* bytes, size_t size);
// Renames over an existing file in one step, written through to the disk.
bool platformRename(const char* from, const char* to);
// Removes a file, a link or a folder with all it holds; true when gone.
bool platformRemove(const char* path);
// Flushes a folder's entries (new names, renames, removals) to the disk.
bool platformSyncFolder(const char* path);
// Makes the folder when it is missing; true when it is a folder afterwards.
bool platformMakeFolder(const char* path);
