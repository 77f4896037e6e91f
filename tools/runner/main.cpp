// SPDX-License-Identifier: GPL-2.0-or-later
// The scripted runner: plays the game headless from program start with an
// input script, writes the screenshots the script asks for and prints the
// scenes entered. Runs in the working folder (data/ and savedat/ there).
//
//   runner [--shots DIR] [--quiet] SCRIPT
//
// Exit codes: 0 the script ran to its end, 1 an expect failed, 2 a wait ran
// out, 3 the script is unreadable or malformed, 64 bad arguments.
#include <cstdio>
#include <cstring>
#include <string>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "interpreter.h"
#include "script.h"

namespace {
int usage() {
    std::fprintf(stderr, "usage: runner [--shots DIR] [--quiet] SCRIPT\n");
    return 64;
}
}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Lines end in "\n" alone, so that the output equals the other platforms'.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    RunnerOptions options;
    const char* scriptPath = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--shots") == 0 && i + 1 < argc) {
            options.shotFolder = argv[++i];
        } else if (std::strcmp(argv[i], "--quiet") == 0) {
            options.trace = false;
        } else if (argv[i][0] != '-' && scriptPath == nullptr) {
            scriptPath = argv[i];
        } else {
            return usage();
        }
    }
    if (scriptPath == nullptr) return usage();
    Script script;
    std::string error;
    if (!loadScript(scriptPath, script, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return static_cast<int>(ScriptResult::BadScript);
    }
    const ScriptResult result = playScript(script, options);
    std::printf("%s\n", result == ScriptResult::Passed ? "passed" : "failed");
    return static_cast<int>(result);
}
