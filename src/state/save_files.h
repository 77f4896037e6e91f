// New-game set-up and the five save files under savedat/.
#pragma once

// Draws the thirty listed companies from the catalogue with their prices.
void newGameSetup();
// Reads the five save files into the records.
void loadGame();
// Writes the five save files from the records; true only when the set is on
// disk (false leaves the previous set).
bool saveGame();
// Whether savedat/data.txt can be opened (the title offers "continue").
bool saveFileExists();
