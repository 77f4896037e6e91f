// SPDX-License-Identifier: GPL-2.0-or-later
// The state of the game over, award and ranking screen, and the reset of the
// whole ending.
#include "frontend/ending_state.h"
#include "frontend/front_scenes.h"
#include "frontend/rank_table.h"
#include "frontend/shatter.h"
#include "frontend/staff_roll.h"
#include "frontend/wave.h"

EndingState ending;

void resetEndingState() {
    ending = EndingState{};
    resetShatter();
    resetWave();
    restartStaffRoll();
    resetRankTable();
}
