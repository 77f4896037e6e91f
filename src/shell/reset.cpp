#include "shell/reset.h"

void resetProgramState() {
    resetShellState();
    resetGameRecords();
    resetMarketState();
    resetTradingState();
    resetFrontendState();
    resetEndingState();
}
