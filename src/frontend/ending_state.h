// SPDX-License-Identifier: GPL-2.0-or-later
// State of the game over, the award and the ranking screen.
#pragma once
#include <cstdint>

// Every field holds its program-start value until the game changes it.
struct EndingState {
    // 0 not started, 1 set up this frame, 2 running. Goes back to 0 when the
    // game-over scene is left, so every game over plays the effect from the start.
    int32_t gameOverPhase = 0;

    int32_t awardFrames = 0;  // frames drawn in the current visit of the award
    int32_t awardClass = 0;   // asset class of the player's total; the ranking enters it

    // 1 once a result has been entered in this run.
    int32_t rankEntryMade = 0;
    // 1 while a finished game waits to be entered. Set by the ending start (the
    // only way into the ending), cleared when the result is entered or when the
    // ranking screen is left, so a visit from the title menu never enters
    // anything, no result is entered twice, and every finished game of the run
    // gets its chance.
    int32_t rankEntryPending = 0;
    // 1 once the ranking file has been read in this run: the table is never
    // written over a stored ranking that was not read first.
    int32_t rankFileRead = 0;

    bool operator==(const EndingState&) const = default;
};
extern EndingState ending;
