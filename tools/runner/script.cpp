// SPDX-License-Identifier: GPL-2.0-or-later
// Reading and splitting the input scripts.
#include "script.h"

#include <fstream>

namespace {

bool splitWords(const std::string& text, std::vector<std::string>& words) {
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (char c : text) {
        if (quoted) {
            if (c == '"') {
                quoted = false;
            } else {
                word += c;
            }
            continue;
        }
        if (c == '#') break;
        if (c == '"') {
            quoted = true;
            inWord = true;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r') {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
            continue;
        }
        word += c;
        inWord = true;
    }
    if (inWord) words.push_back(word);
    return !quoted;
}

}  // namespace

bool loadScript(const char* path, Script& script, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = std::string("cannot read ") + path;
        return false;
    }
    script.path = path;
    script.lines.clear();
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        ScriptLine line;
        line.number = number;
        if (!splitWords(text, line.words)) {
            error = script.path + ":" + std::to_string(number) + ": quote left open";
            return false;
        }
        if (!line.words.empty()) script.lines.push_back(line);
    }
    return true;
}
