// SPDX-License-Identifier: GPL-2.0-or-later
// The scene functions of the front end and the ending; each draws at most one frame.
#pragma once

void sceneTitleLoad();
void sceneTitleMenu();
void sceneNameEntry();
void sceneEndingStart();
void sceneStaffRoll();
void sceneGraphLoad();
void sceneGraph();
void sceneAward();
void sceneOpening();
void sceneGameOver();
void sceneRanking();

// Program-start values of the front end and of the ending.
void resetFrontendState();  // opening, title, name entry, price graph
void resetEndingState();    // game over, staff roll, award, ranking screen, ranking table
