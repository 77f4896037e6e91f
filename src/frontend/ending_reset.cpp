// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/award.h"
#include "frontend/game_over.h"
#include "frontend/rank_table.h"
#include "frontend/ranking_screen.h"
#include "frontend/shatter.h"
#include "frontend/staff_roll.h"
#include "frontend/wave.h"
#include "frontend/front_scenes.h"

void resetEndingState() {
    gameOverPhase = 0;
    resetShatter();
    resetWave();
    restartStaffRoll();
    awardFrames = 0;
    awardClass = 0;
    rankEntryMade = 0;
    rankEntryPending = 0;
    rankFileRead = 0;
    resetRankTable();
}
