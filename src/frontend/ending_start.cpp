// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/devices.h"
#include "core/scenes.h"
#include "frontend/ranking_screen.h"
#include "frontend/staff_roll.h"

// The only way into the ending: the ending tune starts, the staff roll starts
// from its first frame, and the ranking is told that a game has finished.
void sceneEndingStart() {
    restartStaffRoll();
    ending.rankEntryPending = 1;
    mciSendString("Close WAV01");
    mciSendString("Open data/2ofus.MID Alias WAV01");
    mciSendString("Play WAV01 from 0 notify");
    loop.GameScene = SCENE_STAFF_ROLL;
    flip();
}
