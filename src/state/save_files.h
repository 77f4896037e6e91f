// SPDX-License-Identifier: GPL-2.0-or-later
// New-game set-up and the five save files under savedat/.
#pragma once

// Draws the thirty listed companies from the catalogue with their prices.
void newGameSetup();
// Reads the five save files into the records. A set with a file that is
// there but cannot be read whole is not loaded at all (false): the records
// keep their values, and the files stay as they are.
bool loadGame();
// Writes the five save files from the records; true only when the set is on
// disk (false leaves the previous set).
bool saveGame();
// Whether there is a save to continue: savedat/data.txt can be read and no
// file of the set is there but unreadable (the title offers "continue").
bool saveFileExists();
