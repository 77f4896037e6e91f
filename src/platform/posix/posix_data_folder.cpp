// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/posix/posix_data_folder.h"

#include <limits.h>
#include <unistd.h>

#include <cstring>

namespace {
// The sprite sheet: without it nothing on any screen can be drawn.
constexpr const char* PROBE = "data/char.BMP";
constexpr const char* ADVICE = "build them with ./run.sh, or start an installed game with kabusim-launcher";

bool hasData(const char* folder) {
    char path[PATH_MAX + 32];
    std::snprintf(path, sizeof path, "%s/%s", folder, PROBE);
    return access(path, R_OK) == 0;
}
}  // namespace

bool posixEnterDataFolder(FILE* err) {
    if (access(PROBE, R_OK) == 0) return true;
    char here[PATH_MAX];
    if (getcwd(here, sizeof here) == nullptr) std::strcpy(here, ".");
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
