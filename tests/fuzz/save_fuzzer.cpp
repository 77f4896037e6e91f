// SPDX-License-Identifier: GPL-2.0-or-later
// libFuzzer target: one input is split into the five save files and the
// ranking file, which are put in savedat/ and played through every screen
// that uses them (see support/screen_tour.h).
//
// Input: 8 control bytes, then the six files one after the other at their
// full sizes. Control byte f (0 to 5) shapes file f: bit 7 leaves it out, bit 6
// cuts it to (size x low six bits / 64) bytes. Bytes 6 and 7 pick the tour's
// choices. An input that ends early shortens or leaves out the last files.
#include <fcntl.h>
#include <sys/stat.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "core/main_loop.h"
#include "platform/headless/headless.h"
#include "program/program.h"
#include "support/screen_tour.h"

namespace {

constexpr size_t CONTROL_BYTES = 8;
constexpr int FILE_COUNT = 6;
constexpr const char* FILE_PATHS[FILE_COUNT] = {
    "savedat/data.txt", "savedat/edit.txt", "savedat/rist.txt",
    "savedat/grafu.txt", "savedat/grafu2.txt", "savedat/rank.txt",
};
constexpr size_t FILE_SIZES[FILE_COUNT] = {3120, 620, 3480, 3720, 4932, 1072};

void writeFile(const char* path, const uint8_t* bytes, size_t size) {
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written <= 0) break;
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    ::close(fd);
}

// Clears savedat/ of everything a tour may have left (the six files, pending
// files, marks).
void clearSaveFolder() {
    static const char* const leftovers[] = {
        "savedat/data.txt.new", "savedat/edit.txt.new", "savedat/rist.txt.new", "savedat/grafu.txt.new",
        "savedat/grafu2.txt.new", "savedat/rank.txt.new", "savedat/save.commit",
    };
    for (const char* path : FILE_PATHS) ::unlink(path);
    for (const char* path : leftovers) ::unlink(path);
}

char workFolder[256];

// The work folder goes when the fuzzer ends normally.
void removeWorkFolder() {
    clearSaveFolder();
    if (chdir("/") != 0) return;
    char path[300];
    std::snprintf(path, sizeof path, "%s/savedat", workFolder);
    ::rmdir(path);
    std::snprintf(path, sizeof path, "%s/data", workFolder);
    ::unlink(path);
    ::rmdir(workFolder);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A folder of its own in memory, with the game's data linked in.
    const char* data = getenv("KABU_DATA");
    if (data == nullptr) {
        std::fprintf(stderr, "KABU_DATA must name the generated data folder\n");
        std::abort();
    }
    // Under KABU_FUZZ_WORK when given, else in memory where there is room.
    const char* base = getenv("KABU_FUZZ_WORK");
    if (base == nullptr) base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::snprintf(workFolder, sizeof workFolder, "%s/kabufuzz-XXXXXX", base);
    if (mkdtemp(workFolder) == nullptr || chdir(workFolder) != 0 || symlink(data, "data") != 0 ||
        mkdir("savedat", 0755) != 0) {
        std::abort();
    }
    std::atexit(removeWorkFolder);
    resetProgramState();
    headless::install();
    startup();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size) {
    uint8_t control[CONTROL_BYTES] = {};
    std::memcpy(control, input, size < CONTROL_BYTES ? size : CONTROL_BYTES);
    size_t offset = CONTROL_BYTES;

    clearSaveFolder();
    for (int file = 0; file < FILE_COUNT; ++file) {
        const size_t available = offset < size ? size - offset : 0;
        size_t length = FILE_SIZES[file] < available ? FILE_SIZES[file] : available;
        if (control[file] & 0x40) length = length * (control[file] & 0x3F) / 64;
        if (!(control[file] & 0x80) && offset < size) writeFile(FILE_PATHS[file], input + offset, length);
        offset += FILE_SIZES[file];
    }

    testing_support::resetForTour();
    testing_support::tourLoadedGame(static_cast<uint32_t>(control[6]) | static_cast<uint32_t>(control[7]) << 8 |
                                    static_cast<uint32_t>(control[6] ^ control[7]) << 16 |
                                    static_cast<uint32_t>(control[7]) << 24);
    return 0;
}
