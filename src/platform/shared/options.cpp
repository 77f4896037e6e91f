// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/shared/options.h"

#include <cstring>

#ifndef KABU_VERSION
#define KABU_VERSION "0"
#endif

ProgramOptions programOptions;

namespace {
// Plain ASCII: the program's narrow literals are in code page 932.
constexpr const char* HELP =
    "Usage: kabusim [OPTION]...\n"
    "Kabusim, a stock-trading game. It starts full screen; Escape ends it.\n"
    "\n"
    "  --window          start in a window (Alt+Enter switches while playing)\n"
    "  --fullscreen      start full screen (the default)\n"
    "  --scale=sharp     every picture pixel the same size, seams blended (default)\n"
    "  --scale=integer   whole scale factors only, with a border\n"
    "  --stats=FILE      write a line per frame shown into FILE (for measuring)\n"
    "  --help            show this help and exit\n"
    "  --version         show the version and exit\n"
    "\n"
    "The game reads data/ and keeps its saves in savedat/ in the working folder,\n"
    "or in the program's own folder when the working folder has no data/.\n";
}  // namespace

OptionsRequest readOptions(int argc, const char* const* argv, ProgramOptions& options, const char** unknown) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) return OptionsRequest::Help;
        if (std::strcmp(arg, "--version") == 0) return OptionsRequest::Version;
        if (std::strcmp(arg, "--window") == 0) {
            options.windowed = true;
        } else if (std::strcmp(arg, "--fullscreen") == 0) {
            options.windowed = false;
        } else if (std::strcmp(arg, "--scale=sharp") == 0) {
            options.scale = ScaleMode::Sharp;
        } else if (std::strcmp(arg, "--scale=integer") == 0) {
            options.scale = ScaleMode::Integer;
        } else if (std::strncmp(arg, "--stats=", 8) == 0 && arg[8] != '\0') {
            options.statsFile = arg + 8;
        } else {
            *unknown = arg;
            return OptionsRequest::Unknown;
        }
    }
    return OptionsRequest::Run;
}

const char* programVersion() { return KABU_VERSION; }

OptionsOutcome parseOptions(int argc, const char* const* argv, ProgramOptions& options, FILE* out,
                            FILE* err) {
    const char* unknown = nullptr;
    switch (readOptions(argc, argv, options, &unknown)) {
        case OptionsRequest::Help:
            std::fputs(HELP, out);
            return OptionsOutcome::Done;
        case OptionsRequest::Version:
            std::fprintf(out, "kabusim %s\n", KABU_VERSION);
            return OptionsOutcome::Done;
        case OptionsRequest::Unknown:
            std::fprintf(err, "kabusim: unknown option '%s'; 'kabusim --help' lists the options\n", unknown);
            return OptionsOutcome::BadOption;
        case OptionsRequest::Run:
            break;
    }
    return OptionsOutcome::Run;
}
