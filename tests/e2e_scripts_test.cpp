// SPDX-License-Identifier: GPL-2.0-or-later
// Whole games played by the runner from program start, each in a fresh working
// folder: the scripts under tests/e2e/ drive the real scenes headless and check
// the game state and files themselves; these cases run them, read the scene
// trace and look at what they left behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_platform.h"

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// A new empty folder with `data` linked to the generated assets.
fs::path freshFolder() {
    const std::string folder = testing_support::makeTempFolder("kabue2e");
    if (folder.empty()) return {};
    testing_support::linkFolder((fs::path(KABU_BINARY_DIR) / "data").string(), (fs::path(folder) / "data").string());
    return folder;
}

struct RunResult {
    int exitCode = -1;
    std::string trace;   // standard output
    std::string errors;  // standard error
    std::vector<int> scenes;  // the scenes entered, in order
};

// Runs one script with the runner binary inside `folder`.
RunResult runScript(const fs::path& folder, const char* script) {
    const std::string name = fs::path(script).stem().string();
    const fs::path scriptPath = fs::path(KABU_SOURCE_DIR) / "tests" / "e2e" / script;
    const fs::path shots = fs::path(KABU_BINARY_DIR) / "screens" / "e2e" / name;
    const fs::path out = folder / (name + ".out");
    const fs::path err = folder / (name + ".err");
    RunResult result;
    result.exitCode = testing_support::runProgram(folder.string(), (fs::path(KABU_BINARY_DIR) / "runner").string(),
                                                  {"--shots", shots.string(), scriptPath.string()}, out.string(),
                                                  err.string());
    result.trace = slurp(out);
    result.errors = slurp(err);
    std::istringstream lines(result.trace);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t at = line.find(" scene ");
        if (line.rfind("turn ", 0) == 0 && at != std::string::npos) result.scenes.push_back(std::stoi(line.substr(at + 7)));
    }
    return result;
}

// True when `wanted` appears in `scenes` in order (not necessarily adjacent).
bool visitsInOrder(const std::vector<int>& scenes, const std::vector<int>& wanted) {
    size_t next = 0;
    for (int scene : scenes) {
        if (next < wanted.size() && scene == wanted[next]) ++next;
    }
    return next == wanted.size();
}

// Removes a test's folder once the test has passed; a failed one is kept to look at.
void cleanUp(const fs::path& folder) {
    std::error_code error;
    if (!::testing::Test::HasFailure()) fs::remove_all(folder, error);
}

std::string describe(const RunResult& run) { return "trace:\n" + run.trace + "errors:\n" + run.errors; }

// Scene numbers as the trace prints them.
enum { TITLE_LOAD = 0, TITLE_MENU = 1, NAME_ENTRY = 2, MARKET = 3, BUY = 4, HOLDINGS = 5, SELL = 6, SUPPORT = 7,
       ENDING_START = 8, STAFF_ROLL = 9, GRAPH_LOAD = 10, GRAPH = 11, AWARD = 12, OPENING = 13, GAME_OVER = 14,
       RANKING = 15 };

TEST(EndToEnd, TradeSaveAndContinueInAFreshRun) {
    const fs::path folder = freshFolder();
    ASSERT_FALSE(folder.empty());
    const RunResult first = runScript(folder, "a1_trade_and_save.txt");
    ASSERT_EQ(first.exitCode, 0) << describe(first);
    EXPECT_TRUE(visitsInOrder(first.scenes, {OPENING, TITLE_LOAD, TITLE_MENU, NAME_ENTRY, MARKET, BUY, MARKET, HOLDINGS,
                                             SELL, MARKET, SUPPORT, MARKET, GRAPH_LOAD, GRAPH, MARKET}))
        << describe(first);
    EXPECT_NE(first.trace.find(" quit"), std::string::npos);

    const RunResult second = runScript(folder, "a2_continue.txt");
    ASSERT_EQ(second.exitCode, 0) << describe(second);
    // Continuing skips the name entry.
    EXPECT_EQ(second.scenes, (std::vector<int>{OPENING, TITLE_LOAD, TITLE_MENU, MARKET})) << describe(second);

    const std::string saved = slurp(folder / "a1_state.txt");
    EXPECT_EQ(saved, slurp(folder / "a2_state.txt"));
    EXPECT_NE(saved.find("player \"abc\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("date 2003 1 "), std::string::npos) << saved;
    EXPECT_NE(saved.find(" yearsLeft 2"), std::string::npos) << saved;
    EXPECT_NE(saved.find("listed rows 30"), std::string::npos) << saved;
    EXPECT_EQ(fs::file_size(folder / "a1_saved" / "edit.txt"), 620u);
    cleanUp(folder);
}

TEST(EndToEnd, OneYearGameEndsInTheRankingAndTheTitle) {
    const fs::path folder = freshFolder();
    ASSERT_FALSE(folder.empty());
    const RunResult run = runScript(folder, "b_one_year.txt");
    ASSERT_EQ(run.exitCode, 0) << describe(run);
    EXPECT_TRUE(visitsInOrder(run.scenes, {OPENING, TITLE_LOAD, TITLE_MENU, NAME_ENTRY, MARKET, ENDING_START, STAFF_ROLL,
                                           AWARD, RANKING, TITLE_LOAD, TITLE_MENU}))
        << describe(run);
    // The ranking file holds four rows of 268 bytes, the player in row 2.
    const std::string rank = slurp(folder / "savedat" / "rank.txt");
    ASSERT_EQ(rank.size(), 1072u);
    EXPECT_EQ(std::string(rank.c_str() + 268), "ab     ");
    EXPECT_EQ(std::string(rank.c_str()), "pelori");
    cleanUp(folder);
}

TEST(EndToEnd, FKeyOverFastForwardEndsPlay) {
    const fs::path folder = freshFolder();
    ASSERT_FALSE(folder.empty());
    const RunResult run = runScript(folder, "b2_f_key.txt");
    ASSERT_EQ(run.exitCode, 0) << describe(run);
    EXPECT_TRUE(visitsInOrder(run.scenes, {NAME_ENTRY, MARKET, ENDING_START, STAFF_ROLL, AWARD, RANKING, TITLE_LOAD,
                                           TITLE_MENU}))
        << describe(run);
    cleanUp(folder);
}

TEST(EndToEnd, RuinBySupportEndsInGameOverAndTheTitle) {
    const fs::path folder = freshFolder();
    ASSERT_FALSE(folder.empty());
    const RunResult run = runScript(folder, "c_ruin.txt");
    ASSERT_EQ(run.exitCode, 0) << describe(run);
    EXPECT_TRUE(visitsInOrder(run.scenes, {NAME_ENTRY, MARKET, SUPPORT, MARKET, GAME_OVER, TITLE_LOAD, TITLE_MENU}))
        << describe(run);
    // Twenty visits of 100,000 yen each.
    int supportVisits = 0;
    for (int scene : run.scenes) supportVisits += scene == SUPPORT ? 1 : 0;
    EXPECT_EQ(supportVisits, 20);
    cleanUp(folder);
}

TEST(EndToEnd, BankruptcyTakesTheSharesAndAFoundingFillsTheSlot) {
    const fs::path folder = freshFolder();
    ASSERT_FALSE(folder.empty());
    const RunResult run = runScript(folder, "d_bankruptcy.txt");
    ASSERT_EQ(run.exitCode, 0) << describe(run);
    EXPECT_TRUE(visitsInOrder(run.scenes, {NAME_ENTRY, MARKET, BUY, MARKET})) << describe(run);
    // The price steps saved that game; a fresh run continues it and a founding
    // there gets a fresh catalogue price.
    const RunResult continued = runScript(folder, "d2_founding_after_continue.txt");
    ASSERT_EQ(continued.exitCode, 0) << describe(continued);
    EXPECT_EQ(continued.scenes, (std::vector<int>{OPENING, TITLE_LOAD, TITLE_MENU, MARKET})) << describe(continued);
    cleanUp(folder);
}

TEST(EndToEnd, OpeningRunsItsFiveStripsIntoTheTitle) {
    const fs::path folder = freshFolder();
    ASSERT_FALSE(folder.empty());
    const RunResult run = runScript(folder, "e_opening.txt");
    ASSERT_EQ(run.exitCode, 0) << describe(run);
    EXPECT_EQ(run.scenes, (std::vector<int>{OPENING, TITLE_LOAD, TITLE_MENU})) << describe(run);
    EXPECT_NE(run.trace.find("turn 856 "), std::string::npos) << describe(run);
    cleanUp(folder);
}

// The gallery script for the README visits all sixteen scenes in one run.
TEST(EndToEnd, GalleryVisitsEveryScene) {
    const fs::path folder = freshFolder();
    ASSERT_FALSE(folder.empty());
    const RunResult run = runScript(folder, "gallery.txt");
    ASSERT_EQ(run.exitCode, 0) << describe(run);
    bool seen[16] = {};
    for (int scene : run.scenes) {
        if (scene >= 0 && scene < 16) seen[scene] = true;
    }
    for (int scene = 0; scene < 16; ++scene) EXPECT_TRUE(seen[scene]) << "scene " << scene << "\n" << describe(run);
    const fs::path shots = fs::path(KABU_BINARY_DIR) / "screens" / "e2e" / "gallery";
    for (const char* name : {"opening", "title_menu", "name_entry", "market", "buy", "holdings", "sell", "support",
                             "graph", "bankruptcy", "founding", "staff_roll", "award", "ranking", "ruin", "game_over"}) {
        EXPECT_TRUE(fs::is_regular_file(shots / (std::string(name) + ".png"))) << name;
    }
    cleanUp(folder);
}

// The runner reports failures by its exit code: an expect that does not hold,
// a wait that runs out, a malformed script.
TEST(EndToEnd, RunnerExitCodesTellFailures) {
    const fs::path folder = freshFolder();
    ASSERT_FALSE(folder.empty());
    const char* cases[][2] = {
        {"expect scene market\n", "1"},
        {"until scene market max 50\n", "2"},
        {"jump 3\n", "3"},
        {"repeat 2\nturns 1\n", "3"},
        {"expect scene opening\nturns 5\nexpect frames > 0\n", "0"},
        // Comments, quotes, clock targets, remembered numbers and sums, loops.
        {"# a comment\nat ms 100  # to the end of the line\nexpect ms >= 100\nremember t turn\nturns 5\n"
         "expect turn == $t+5\nrepeat until turn >= $t+20 max 10\n  turns 3\nend\nexpect turn == $t+20\n"
         "repeat 2\n  repeat 2\n    turns 1\n  end\nend\nexpect turn == $t+24\n"
         "expect text playername == \"\"\nexpect text musiclog == \"\"\n", "0"},
        {"repeat until turn < 0 max 3\n  turns 1\nend\n", "2"},
        {"expect text playername == \"a b\"\n", "1"},
        {"expect text playername == \"open\n", "3"},
        {"expect $nothing == 1\n", "3"},
        {"set cash 5\n", "3"},
        {"escape\nuntil quit max 10\nuntil scene market\n", "2"},
    };
    int index = 0;
    for (const auto& entry : cases) {
        const fs::path script = folder / ("case" + std::to_string(index++) + ".txt");
        std::ofstream(script) << entry[0];
        const RunResult run = runScript(folder, script.string().c_str());
        EXPECT_EQ(std::to_string(run.exitCode), entry[1]) << entry[0] << describe(run);
    }
    cleanUp(folder);
}

}  // namespace
