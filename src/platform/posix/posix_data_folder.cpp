// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/posix/posix_data_folder.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/text_glyphs.h"
#include "platform/posix/posix_file_steps.h"

namespace {
// The sprite sheet: without it nothing on any screen can be drawn.
constexpr const char* PROBE = "data/char.BMP";
constexpr const char* ADVICE = "build them with ./run.sh, or start an installed game with kabusim-launcher";

void workingFolder(char* here, size_t size) {
    if (getcwd(here, size) == nullptr) std::snprintf(here, size, ".");
}

bool hasData(const char* folder) {
    char path[PATH_MAX + 32];
    std::snprintf(path, sizeof path, "%s/%s", folder, PROBE);
    return access(path, R_OK) == 0;
}
}  // namespace

bool posixEnterDataFolder(FILE* err) {
    if (access(PROBE, R_OK) == 0) return true;
    char here[PATH_MAX];
    workingFolder(here, sizeof here);
    char program[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", program, sizeof program - 1);
    if (length > 0) {
        program[length] = '\0';
        char* slash = std::strrchr(program, '/');
        if (slash != nullptr) *slash = '\0';
        if (slash == program) std::strcpy(program, "/");
        if (hasData(program) && chdir(program) == 0) return true;
    } else {
        std::strcpy(program, "(the program's folder is unknown)");
    }
    if (std::strcmp(here, program) == 0) {
        std::fprintf(err, "kabusim: no game data: %s/%s is missing; %s\n", here, PROBE, ADVICE);
    } else {
        std::fprintf(err, "kabusim: no game data: %s/%s and %s/%s are missing; %s\n", here, PROBE, program,
                     PROBE, ADVICE);
    }
    return false;
}

bool posixLoadGlyphFile(FILE* err) {
    const FontFile outcome = loadTextFont(posixFileSteps);
    if (outcome == FontFile::Loaded) return true;
    char here[PATH_MAX];
    workingFolder(here, sizeof here);
    const char* what = outcome == FontFile::Missing      ? "is missing"
                       : outcome == FontFile::Unreadable ? "cannot be read"
                                                         : "is damaged (cut short, too long or changed)";
    std::fprintf(
        err,
        "kabusim: damaged game data: %s/%s %s; build them again with ./run.sh, or install the game again\n",
        here, glyphfile::PATH, what);
    return false;
}

FolderHold posixHoldGameFolder(char* message, size_t size) {
    // The folder itself is locked: nothing is written to take the lock, and
    // it is never left behind. The descriptor stays open until the end.
    const int folder = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return FolderHold::Unknown;
    int result;
    do {
        result = flock(folder, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) return FolderHold::Held;
    const bool taken = errno == EWOULDBLOCK;
    close(folder);
    if (!taken) return FolderHold::Unknown;
    char here[PATH_MAX];
    workingFolder(here, sizeof here);
    std::snprintf(
        message, size,
        "kabusim: another copy of the game is running with the saves in %s/savedat; this one ends and leaves "
        "them as they are",
        here);
    return FolderHold::Taken;
}
