// Plays a script against the headless game.
#pragma once
#include <string>

#include "script.h"

enum class ScriptResult {
    Passed = 0,
    ExpectFailed = 1,  // an expect line did not hold
    TimedOut = 2,      // a wait ran out of turns, or the game quit before it was met
    BadScript = 3,     // unknown command or malformed line
};

struct RunnerOptions {
    std::string shotFolder;  // screenshots go here ("" = working folder)
    bool trace = true;
};

// Starts the game from program start and plays every line. When the script
// ends, the game is ended as Escape ends it.
ScriptResult playScript(const Script& script, const RunnerOptions& options);
