// SPDX-License-Identifier: GPL-2.0-or-later
// Command-line options: window or full screen, and how the picture is scaled.
#pragma once
#include <cstdio>

enum class ScaleMode {
    Sharp,    // even pixels at any size: whole factor, seams blended
    Integer,  // whole factors only, with a border
};

struct ProgramOptions {
    bool windowed = false;
    ScaleMode scale = ScaleMode::Sharp;
    const char* statsFile = nullptr;  // --stats=FILE: a line per frame shown
};

extern ProgramOptions programOptions;

enum class OptionsOutcome {
    Run,        // start the game
    Done,       // help or version printed: exit 0
    BadOption,  // message printed: exit 2
};

// Reads the command line into `options`. Help and version go to `out`,
// complaints about unknown options to `err` (the Linux program's words).
OptionsOutcome parseOptions(int argc, const char* const* argv, ProgramOptions& options, FILE* out, FILE* err);

// What the command line asks for, for a program entry that words its own
// answers.
enum class OptionsRequest { Run, Help, Version, Unknown };
// Reads the command line into `options`; with Unknown, `unknown` is the
// argument that is no option.
OptionsRequest readOptions(int argc, const char* const* argv, ProgramOptions& options, const char** unknown);
// The program's version, from the build (CMake's project version).
const char* programVersion();
