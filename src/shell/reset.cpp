#include "shell/reset.h"

#include "state/save_writer.h"

void resetProgramState() {
    resetShellState();
    resetSaveWriter();
    resetGameRecords();
    resetMarketState();
    resetTradingState();
    resetFrontendState();
    resetEndingState();
}
