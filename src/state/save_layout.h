// SPDX-License-Identifier: GPL-2.0-or-later
// The five save files: names, sizes and the record blocks each one holds, in
// file order. The files are raw little-endian images of the records.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int SAVE_FILE_COUNT = 5;
constexpr size_t DATA_FILE_SIZE = 3120;    // savedat/data.txt
constexpr size_t EDIT_FILE_SIZE = 620;     // savedat/edit.txt
constexpr size_t RIST_FILE_SIZE = 3480;    // savedat/rist.txt
constexpr size_t GRAFU_FILE_SIZE = 3720;   // savedat/grafu.txt
constexpr size_t GRAFU2_FILE_SIZE = 4932;  // savedat/grafu2.txt
constexpr size_t LARGEST_SAVE_FILE = GRAFU2_FILE_SIZE;

struct RecordBlock {
    void* bytes;
    size_t size;
};

struct SaveFileLayout {
    const char* path;         // the file of the set
    const char* pendingPath;  // the same file while a new set is being written
    size_t size;
    int blockCount;
    RecordBlock blocks[4];
};

// The files in the order they are written and read: data.txt, edit.txt,
// rist.txt, grafu.txt, grafu2.txt.
extern const SaveFileLayout saveFiles[SAVE_FILE_COUNT];
// Present from the moment a complete new set is on disk until it has replaced
// the old one.
constexpr const char* SAVE_COMMIT_PATH = "savedat/save.commit";
// The folder of the save and ranking files, relative to the working folder.
constexpr const char* SAVE_FOLDER = "savedat";

// Copies the records of a file into `image` (layout.size bytes).
void gatherSaveFile(const SaveFileLayout& layout, uint8_t* image);
// Copies the first `length` bytes of a file image into its records; the bytes
// of the records beyond them keep their values.
void scatterSaveFile(const SaveFileLayout& layout, const uint8_t* image, size_t length);
