// SPDX-License-Identifier: GPL-2.0-or-later
// State of the opening, the title menu, name entry and the price graph, and the
// steps they share.
#pragma once
#include <cstdint>

// Opening: the strip shown (0 to 4, 5 when done) and the fade direction.
extern int32_t openingStage;
extern int32_t openingFadeIn;
extern int32_t openingFadeOut;

// Title menu.
extern uint32_t titleLastFrameTime;
extern int32_t titleMenuOpen;
extern int32_t titleStartLatch;
extern int32_t titleNewLatch;
extern int32_t titleContinueLatch;
extern int32_t titleRankingLatch;

// Name entry. Keys 0 to 24 are a to y, 25 is z, 26 "進む" and 27 "戻る".
constexpr int NAME_LETTERS = 6;
constexpr int NAME_KEYS = 28;
constexpr int KEY_Z = 25;
constexpr int KEY_BLANK = 26;
constexpr int KEY_BACK = 27;
extern char nameBuffer[NAME_LETTERS + 1];
extern int32_t nameLength;
extern int32_t goalYears;
extern int32_t scrollX;
extern int32_t scrollY;
extern int32_t nameKeyLatch[NAME_KEYS];

// The fixed hit area of a keyboard key (inclusive bounds).
struct KeyArea {
    int left, top, right, bottom;
};
KeyArea nameKeyArea(int key);

// Price graph.
extern uint32_t graphLastFrameTime;
extern int32_t graphPrevPressed;
extern int32_t graphNextPressed;
extern int32_t graphBackPressed;
extern int32_t graphPrevLatch;
extern int32_t graphNextLatch;
extern int32_t graphBackLatch;

// The title menu's two ways into a game.
void startNewGame();
void continueSavedGame();
// Closes the piece playing, opens `openCommand` and plays it from the start.
void switchMusic(const char* openCommand);

void resetOpeningState();
void resetTitleState();
void resetNameEntryState();
void resetGraphScreenState();
