// SPDX-License-Identifier: GPL-2.0-or-later
// State of the opening, the title menu, name entry and the price graph, and the
// steps they share.
#pragma once
#include <cstdint>

// Name entry. Keys 0 to 24 are a to y, 25 is z, 26 "進む" and 27 "戻る".
constexpr int NAME_LETTERS = 6;
constexpr int NAME_KEYS = 28;
constexpr int KEY_Z = 25;
constexpr int KEY_BLANK = 26;
constexpr int KEY_BACK = 27;

// Every field holds its program-start value until the game changes it.
struct FrontState {
    // Opening: the strip shown (0 to 4, 5 when done) and the fade direction.
    int32_t openingStage = 0;
    int32_t openingFadeIn = 1;
    int32_t openingFadeOut = 0;

    // Title menu.
    uint32_t titleLastFrameTime = 0;
    int32_t titleMenuOpen = 0;
    int32_t titleStartLatch = 0;
    int32_t titleNewLatch = 0;
    int32_t titleContinueLatch = 0;
    int32_t titleRankingLatch = 0;

    // Name entry.
    char nameBuffer[NAME_LETTERS + 1] = {};
    int32_t nameLength = 0;
    int32_t goalYears = 1;
    int32_t scrollX = 0;
    int32_t scrollY = 0;
    int32_t nameKeyLatch[NAME_KEYS] = {};

    // Price graph.
    uint32_t graphLastFrameTime = 0;
    int32_t graphPrevPressed = 0;
    int32_t graphNextPressed = 0;
    int32_t graphBackPressed = 0;
    int32_t graphPrevLatch = 0;
    int32_t graphNextLatch = 0;
    int32_t graphBackLatch = 0;

    bool operator==(const FrontState&) const = default;
};
extern FrontState front;

// The fixed hit area of a keyboard key (inclusive bounds).
struct KeyArea {
    int left, top, right, bottom;
};
KeyArea nameKeyArea(int key);

// The title menu's two ways into a game.
void startNewGame();
void continueSavedGame();
// Closes the piece playing, opens `openCommand` and plays it from the start.
void switchMusic(const char* openCommand);
