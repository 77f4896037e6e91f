// SPDX-License-Identifier: GPL-2.0-or-later
// The script interpreter: waits, input, screenshots, checks and loops.
#include "interpreter.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

#include "core/devices.h"
#include "core/rng.h"
#include "core/scenes.h"
#include "game_driver.h"
#include "platform/headless/headless.h"
#include "program/scene_names.h"
#include "state_dump.h"
#include "variables.h"

namespace {

namespace fs = std::filesystem;

constexpr int64_t DEFAULT_MAX_TURNS = 2000000;

struct ScriptRun {
    const Script* script = nullptr;
    RunnerOptions options;
    std::vector<int> blockEnd;  // for each "repeat" line, the index of its "end"
    std::map<std::string, int64_t> remembered;
    const ScriptLine* line = nullptr;
};

void report(const ScriptRun& p, const std::string& message) {
    std::fprintf(stderr, "%s:%d: %s\n", p.script->path.c_str(), p.line != nullptr ? p.line->number : 0,
                 message.c_str());
}

bool parseInt(const std::string& word, int64_t& value) {
    if (word.empty()) return false;
    char* end = nullptr;
    value = std::strtoll(word.c_str(), &end, 10);
    return *end == '\0';
}

// "$name" inside a word becomes the remembered number.
bool substitute(ScriptRun& p, const std::vector<std::string>& in, std::vector<std::string>& out) {
    out.clear();
    for (const std::string& word : in) {
        std::string result;
        size_t i = 0;
        while (i < word.size()) {
            if (word[i] != '$') {
                result += word[i++];
                continue;
            }
            size_t j = i + 1;
            while (j < word.size() && (std::isalnum(static_cast<unsigned char>(word[j])) || word[j] == '_')) ++j;
            const std::string name = word.substr(i + 1, j - i - 1);
            const auto found = p.remembered.find(name);
            if (found == p.remembered.end()) {
                report(p, "nothing remembered as $" + name);
                return false;
            }
            result += std::to_string(found->second);
            i = j;
        }
        out.push_back(result);
    }
    return true;
}

bool term(const std::string& word, int64_t& v) { return parseInt(word, v) || readNumber(word, v); }

// A number: a literal or a variable of the game, or a sum and difference of
// them ("cash+3", "200-$price-$price").
bool value(ScriptRun& p, const std::string& word, int64_t& v) {
    if (term(word, v)) return true;
    int64_t total = 0;
    size_t start = 0;
    char sign = '+';
    while (start <= word.size()) {
        size_t op = word.find_first_of("+-", start + 1);
        if (op == std::string::npos) op = word.size();
        int64_t part = 0;
        if (!term(word.substr(start, op - start), part)) {
            report(p, "unknown value " + word);
            return false;
        }
        total = sign == '+' ? total + part : total - part;
        if (op == word.size()) break;
        sign = word[op];
        start = op + 1;
    }
    v = total;
    return true;
}

bool compare(int64_t a, const std::string& op, int64_t b, bool& result) {
    if (op == "==") result = a == b;
    else if (op == "!=") result = a != b;
    else if (op == "<") result = a < b;
    else if (op == "<=") result = a <= b;
    else if (op == ">") result = a > b;
    else if (op == ">=") result = a >= b;
    else return false;
    return true;
}

std::string fileBytes(const std::string& path, bool& found) {
    std::ifstream in(path, std::ios::binary);
    found = static_cast<bool>(in);
    if (!found) return {};
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Evaluates a condition; `why` describes what was seen. False on a malformed one.
bool condition(ScriptRun& p, const std::vector<std::string>& w, size_t first, size_t last, bool& result,
               std::string& why) {
    const size_t n = last - first;
    if (n == 0) {
        report(p, "condition missing");
        return false;
    }
    const std::string& head = w[first];
    if (head == "scene" && n == 2) {
        int32_t scene = 0;
        if (!parseScene(w[first + 1], scene)) {
            report(p, "unknown scene " + w[first + 1]);
            return false;
        }
        result = loop.GameScene == scene;
        why = std::string("scene is ") + std::to_string(loop.GameScene) + " " + sceneName(loop.GameScene);
        return true;
    }
    if (head == "quit" && n == 1) {
        result = driverQuit();
        why = result ? "the game has quit" : "the game runs";
        return true;
    }
    if ((head == "file" && (n == 2 || n == 3)) || (head == "nofile" && n == 2)) {
        std::error_code error;
        const bool exists = fs::is_regular_file(w[first + 1], error);
        if (head == "nofile") {
            result = !exists;
            why = exists ? "the file exists" : "no such file";
            return true;
        }
        if (!exists) {
            result = false;
            why = "no such file";
            return true;
        }
        const int64_t size = static_cast<int64_t>(fs::file_size(w[first + 1], error));
        why = "size " + std::to_string(size);
        int64_t wanted = 0;
        if (n == 3 && !parseInt(w[first + 2], wanted)) {
            report(p, "file size must be a number");
            return false;
        }
        result = n == 2 || size == wanted;
        return true;
    }
    if (head == "same" && n == 3) {
        bool foundA = false;
        bool foundB = false;
        const std::string a = fileBytes(w[first + 1], foundA);
        const std::string b = fileBytes(w[first + 2], foundB);
        result = foundA && foundB && a == b;
        if (!foundA || !foundB) {
            why = "a file is missing";
        } else if (a.size() != b.size()) {
            why = "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
        } else {
            size_t at = 0;
            while (at < a.size() && a[at] == b[at]) ++at;
            why = result ? "same bytes" : "first difference at byte " + std::to_string(at);
        }
        return true;
    }
    if (head == "text" && n == 4) {
        std::string text;
        if (!readText(w[first + 1], text)) {
            report(p, "unknown text " + w[first + 1]);
            return false;
        }
        const std::string& op = w[first + 2];
        const std::string& wanted = w[first + 3];
        if (op == "==") result = text == wanted;
        else if (op == "!=") result = text != wanted;
        else if (op == "contains") result = text.find(wanted) != std::string::npos;
        else {
            report(p, "unknown text comparison " + op);
            return false;
        }
        why = w[first + 1] + " is \"" + text + "\"";
        return true;
    }
    if (n == 3) {
        int64_t a = 0;
        int64_t b = 0;
        if (!value(p, w[first], a) || !value(p, w[first + 2], b)) return false;
        if (!compare(a, w[first + 1], b, result)) {
            report(p, "unknown comparison " + w[first + 1]);
            return false;
        }
        why = w[first] + " is " + std::to_string(a);
        int64_t literal = 0;
        if (!parseInt(w[first + 2], literal)) why += ", " + w[first + 2] + " is " + std::to_string(b);
        return true;
    }
    report(p, "malformed condition");
    return false;
}

// "... max N" at the end of a line: the turn limit of a wait.
size_t splitMax(ScriptRun& p, const std::vector<std::string>& w, int64_t& maxCount, bool& ok) {
    ok = true;
    maxCount = DEFAULT_MAX_TURNS;
    if (w.size() >= 2 && w[w.size() - 2] == "max") {
        if (!parseInt(w.back(), maxCount) || maxCount < 0) {
            report(p, "max must be a number");
            ok = false;
        }
        return w.size() - 2;
    }
    return w.size();
}

// Runs turns until the condition holds (checked before every turn).
ScriptResult runUntil(ScriptRun& p, const std::vector<std::string>& w, size_t first) {
    bool ok = true;
    int64_t maxTurns = 0;
    const size_t last = splitMax(p, w, maxTurns, ok);
    if (!ok) return ScriptResult::BadScript;
    for (int64_t turn = 0;; ++turn) {
        bool met = false;
        std::string why;
        if (!condition(p, w, first, last, met, why)) return ScriptResult::BadScript;
        if (met) return ScriptResult::Passed;
        if (turn >= maxTurns || driverQuit()) {
            report(p, "wait not met after " + std::to_string(turn) + " turns: " + why);
            return ScriptResult::TimedOut;
        }
        driverTurn();
    }
}

// Runs turns until `count` more frames have been presented.
ScriptResult runFrames(ScriptRun& p, int64_t count) {
    const int64_t target = driverFrames() + count;
    int64_t turns = 0;
    while (driverFrames() < target) {
        if (driverQuit()) return ScriptResult::Passed;
        if (++turns > DEFAULT_MAX_TURNS) {
            report(p, "no frame presented in " + std::to_string(DEFAULT_MAX_TURNS) + " turns");
            return ScriptResult::TimedOut;
        }
        driverTurn();
    }
    return ScriptResult::Passed;
}

bool keyByName(const std::string& name, Key& key) {
    if (name == "enter") key = Key::Enter;
    else if (name == "up") key = Key::Up;
    else if (name == "down") key = Key::Down;
    else if (name == "f") key = Key::F;
    else if (name == "left") key = Key::LeftButton;
    else return false;
    return true;
}

std::string shotPath(const ScriptRun& p, const std::string& name) {
    if (p.options.shotFolder.empty()) return name;
    std::error_code error;
    fs::create_directories(p.options.shotFolder, error);
    return (fs::path(p.options.shotFolder) / name).string();
}

ScriptResult runLines(ScriptRun& p, size_t begin, size_t end);

ScriptResult runLine(ScriptRun& p, size_t index, size_t& next) {
    const ScriptLine& line = p.script->lines[index];
    p.line = &line;
    next = index + 1;
    std::vector<std::string> w;
    if (!substitute(p, line.words, w)) return ScriptResult::BadScript;
    const std::string& c = w[0];
    const size_t n = w.size();
    int64_t a = 0;
    int64_t b = 0;

    if (c == "repeat") {
        const size_t stop = static_cast<size_t>(p.blockEnd[index]);
        next = stop + 1;
        if (n == 2 && parseInt(w[1], a)) {
            for (int64_t i = 0; i < a; ++i) {
                const ScriptResult r = runLines(p, index + 1, stop);
                if (r != ScriptResult::Passed) return r;
            }
            return ScriptResult::Passed;
        }
        if (n >= 3 && w[1] == "until") {
            bool ok = true;
            int64_t maxRounds = 0;
            const size_t last = splitMax(p, w, maxRounds, ok);
            if (!ok) return ScriptResult::BadScript;
            for (int64_t round = 0;; ++round) {
                p.line = &line;
                bool met = false;
                std::string why;
                if (!condition(p, w, 2, last, met, why)) return ScriptResult::BadScript;
                if (met) return ScriptResult::Passed;
                if (round >= maxRounds || driverQuit()) {
                    report(p, "repeat not done after " + std::to_string(round) + " rounds: " + why);
                    return ScriptResult::TimedOut;
                }
                const ScriptResult r = runLines(p, index + 1, stop);
                if (r != ScriptResult::Passed) return r;
            }
        }
        report(p, "repeat needs a count or \"until\"");
        return ScriptResult::BadScript;
    }
    if (c == "end") {
        report(p, "end without repeat");
        return ScriptResult::BadScript;
    }
    if (c == "tick" && n == 2 && parseInt(w[1], a) && a >= 0) {
        driverSetTick(static_cast<uint32_t>(a));
        return ScriptResult::Passed;
    }
    if (c == "present" && n == 2 && parseInt(w[1], a) && a >= 0) {
        driverSetPresentAdvance(static_cast<uint32_t>(a));
        return ScriptResult::Passed;
    }
    if (c == "seed" && n == 2 && parseInt(w[1], a)) {
        seedRandom(static_cast<uint32_t>(a));
        return ScriptResult::Passed;
    }
    if (c == "turns" && n == 2 && parseInt(w[1], a)) {
        for (int64_t i = 0; i < a && driverTurn(); ++i) {
        }
        return ScriptResult::Passed;
    }
    if (c == "frames" && n == 2 && parseInt(w[1], a)) return runFrames(p, a);
    if (c == "wait" && n == 2 && parseInt(w[1], a)) {
        const uint32_t start = driverMillis();
        while (static_cast<int64_t>(driverMillis() - start) < a && driverTurn()) {
        }
        return ScriptResult::Passed;
    }
    if (c == "at" && n == 3 && parseInt(w[2], a)) {
        if (w[1] == "turn") {
            while (driverTurns() < a && driverTurn()) {
            }
        } else if (w[1] == "frame") {
            while (driverFrames() < a && driverTurn()) {
            }
        } else if (w[1] == "ms") {
            while (static_cast<int64_t>(driverMillis()) < a && driverTurn()) {
            }
        } else {
            report(p, "at needs turn, frame or ms");
            return ScriptResult::BadScript;
        }
        return ScriptResult::Passed;
    }
    if (c == "until" && n >= 2) return runUntil(p, w, 1);
    if ((c == "move" || c == "click") && n == 3 && parseInt(w[1], a) && parseInt(w[2], b)) {
        headless::setCursor(static_cast<int>(a), static_cast<int>(b));
        if (c == "move") return ScriptResult::Passed;
        headless::setButton(true);
        const ScriptResult r = runFrames(p, 1);
        headless::setButton(false);
        if (r != ScriptResult::Passed) return r;
        return runFrames(p, 1);
    }
    if ((c == "down" || c == "up") && n == 1) {
        headless::setButton(c == "down");
        return ScriptResult::Passed;
    }
    Key key{};
    if (c == "key" && n == 3 && keyByName(w[1], key) && (w[2] == "down" || w[2] == "up")) {
        headless::setKey(key, w[2] == "down");
        return ScriptResult::Passed;
    }
    if (c == "press" && n == 2 && keyByName(w[1], key)) {
        headless::setKey(key, true);
        const ScriptResult r = runFrames(p, 1);
        headless::setKey(key, false);
        if (r != ScriptResult::Passed) return r;
        return runFrames(p, 1);
    }
    if ((c == "escape" || c == "close") && n == 1) {
        headless::pushEvent(c == "escape" ? EventKind::Escape : EventKind::Close);
        return ScriptResult::Passed;
    }
    if (c == "finish" && n == 1) {
        driverFinish();
        return ScriptResult::Passed;
    }
    if (c == "shot" && n == 2) {
        const std::string path = shotPath(p, w[1]);
        if (!writePng(path.c_str(), headless::presentedPixels(), SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_WIDTH,
                      headless::presentedPalette())) {
            report(p, "cannot write " + path);
            return ScriptResult::BadScript;
        }
        return ScriptResult::Passed;
    }
    if (c == "expect" && n >= 2) {
        bool met = false;
        std::string why;
        if (!condition(p, w, 1, n, met, why)) return ScriptResult::BadScript;
        if (met) return ScriptResult::Passed;
        report(p, "expect failed: " + why);
        return ScriptResult::ExpectFailed;
    }
    if (c == "dump" && n == 2) {
        if (dumpState(w[1])) return ScriptResult::Passed;
        report(p, "cannot write " + w[1]);
        return ScriptResult::BadScript;
    }
    if (c == "copy" && n == 3) {
        std::error_code error;
        fs::copy(w[1], w[2], fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
        if (!error) return ScriptResult::Passed;
        report(p, "cannot copy " + w[1] + " to " + w[2] + ": " + error.message());
        return ScriptResult::BadScript;
    }
    if (c == "set" && n == 3) {
        if (!value(p, w[2], a)) return ScriptResult::BadScript;
        if (writeNumber(w[1], a)) return ScriptResult::Passed;
        report(p, "cannot set " + w[1]);
        return ScriptResult::BadScript;
    }
    if (c == "remember" && n == 3) {
        if (!value(p, w[2], a)) return ScriptResult::BadScript;
        p.remembered[w[1]] = a;
        return ScriptResult::Passed;
    }
    if (c == "print" && n >= 2) {
        std::string out;
        for (size_t i = 1; i < n; ++i) {
            std::string text;
            if (readNumber(w[i], a)) out += " " + w[i] + "=" + std::to_string(a);
            else if (readText(w[i], text)) out += " " + w[i] + "=\"" + text + "\"";
            else out += " " + w[i];
        }
        std::printf("print%s\n", out.c_str());
        std::fflush(stdout);
        return ScriptResult::Passed;
    }
    report(p, "unknown or malformed command: " + c);
    return ScriptResult::BadScript;
}

ScriptResult runLines(ScriptRun& p, size_t begin, size_t end) {
    size_t i = begin;
    while (i < end) {
        size_t next = i + 1;
        const ScriptResult r = runLine(p, i, next);
        if (r != ScriptResult::Passed) return r;
        i = next;
    }
    return ScriptResult::Passed;
}

// Pairs every "repeat" with its "end".
bool matchBlocks(ScriptRun& p) {
    const std::vector<ScriptLine>& lines = p.script->lines;
    p.blockEnd.assign(lines.size(), -1);
    std::vector<size_t> open;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].words[0] == "repeat") open.push_back(i);
        if (lines[i].words[0] == "end" && lines[i].words.size() == 1) {
            if (open.empty()) {
                p.line = &lines[i];
                report(p, "end without repeat");
                return false;
            }
            p.blockEnd[open.back()] = static_cast<int>(i);
            open.pop_back();
        }
    }
    if (!open.empty()) {
        p.line = &lines[open.back()];
        report(p, "repeat without end");
        return false;
    }
    return true;
}

}  // namespace

ScriptResult playScript(const Script& script, const RunnerOptions& options) {
    ScriptRun p;
    p.script = &script;
    p.options = options;
    if (!matchBlocks(p)) return ScriptResult::BadScript;
    driverStart(1, 16, options.trace);
    const ScriptResult result = runLines(p, 0, script.lines.size());
    driverFinish();
    return result;
}
