// Puts every global of the program back to its program-start value, so that
// tests can start each case from a fresh run in-process.
#pragma once

void resetProgramState();

// One reset per subsystem, called by resetProgramState in this order.
void resetShellState();     // scene, frame counter, generator, surfaces, palette, input
void resetGameRecords();    // the game records and shared display state
void resetMarketState();    // market screen state, messages, news
void resetTradingState();   // buy, holdings, sell and support screens
void resetFrontendState();  // opening, title, name entry, price graph
void resetEndingState();    // game over, staff roll, award, ranking screen, ranking table
