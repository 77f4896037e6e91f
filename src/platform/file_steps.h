// SPDX-License-Identifier: GPL-2.0-or-later
// The steps each platform gives the file protocols of files.h. The protocols
// pass every step that changes the disk through the crash hook (fileOpStopAt)
// themselves, so every platform is cut at the same points.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/files.h"

// Reads up to `size` bytes from the start of a regular file (links followed).
FileRead platformReadFile(const char* path, void* buffer, size_t size);
NameKind platformNameKind(const char* path);

// A file being written: a platform's handle, or NO_FILE.
using FileHandle = intptr_t;
constexpr FileHandle NO_FILE = -1;
// Creates a new file where nothing stands: the creation is exclusive and
// never goes through a link.
FileHandle platformCreateNew(const char* path);
// Writes all `size` bytes; false on any failure.
bool platformWrite(FileHandle file, const void* bytes, size_t size);
// Flushes the file's bytes to the disk.
bool platformFlush(FileHandle file);
bool platformClose(FileHandle file);

// Renames over an existing file in one step, written through to the disk.
bool platformRename(const char* from, const char* to);
// Removes a file, a link or a folder with all it holds; true when gone.
bool platformRemove(const char* path);
// Flushes a folder's entries (new names, renames, removals) to the disk.
bool platformSyncFolder(const char* path);
// Makes a missing folder; true when it is a folder afterwards.
bool platformMakeFolder(const char* path);
