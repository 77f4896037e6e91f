// SPDX-License-Identifier: GPL-2.0-or-later
// Input scripts of the runner: one command per line, words separated by blanks,
// "#" starts a comment, double quotes keep blanks inside one word.
#pragma once
#include <string>
#include <vector>

struct ScriptLine {
    int number = 0;                  // line number in the file, from 1
    std::vector<std::string> words;  // never empty
};

struct Script {
    std::string path;
    std::vector<ScriptLine> lines;
};

// Reads and splits a script. False with `error` set when the file cannot be
// read or a quote is left open.
bool loadScript(const char* path, Script& script, std::string& error);
