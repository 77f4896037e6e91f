// SPDX-License-Identifier: GPL-2.0-or-later
// The file steps a platform gives the file protocols of core/files.h. The
// protocols pass every step that changes the disk through the crash hook
// (fileOpStopAt) themselves, so every platform is cut at the same points.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/files.h"

// A file being written: a platform's handle, or NO_FILE.
using FileHandle = intptr_t;
constexpr FileHandle NO_FILE = -1;

struct FileSteps {
    // Reads up to `size` bytes from the start of a regular file (links followed).
    FileRead (*readFile)(const char* path, void* buffer, size_t size);
    NameKind (*nameKind)(const char* path);
    // Creates a new file where nothing stands: the creation is exclusive and
    // never goes through a link.
    FileHandle (*createNew)(const char* path);
    // Writes all `size` bytes; false on any failure.
    bool (*write)(FileHandle file, const void* bytes, size_t size);
    // Flushes the file's bytes to the disk.
    bool (*flush)(FileHandle file);
    bool (*close)(FileHandle file);
    // Renames over an existing file in one step, written through to the disk.
    bool (*rename)(const char* from, const char* to);
    // Removes a file, a link or a folder with all it holds; true when gone.
    bool (*remove)(const char* path);
    // Flushes a folder's entries (new names, renames, removals) to the disk.
    bool (*syncFolder)(const char* path);
    // Makes a missing folder; true when it is a folder afterwards.
    bool (*makeFolder)(const char* path);
};

// No file system: nothing is there and nothing can be written.
inline constexpr FileSteps NO_FILE_STEPS{
    [](const char*, void*, size_t) { return FileRead{}; },
    [](const char*) { return NameKind::Missing; },
    [](const char*) { return NO_FILE; },
    [](FileHandle, const void*, size_t) { return false; },
    [](FileHandle) { return false; },
    [](FileHandle) { return false; },
    [](const char*, const char*) { return false; },
    [](const char*) { return false; },
    [](const char*) { return false; },
    [](const char*) { return false; },
};
