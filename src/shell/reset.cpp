#include "shell/reset.h"

#include "shell/options.h"
#include "shell/sdl/sdl_display.h"

void resetProgramState() {
    resetShellState();
    resetGameRecords();
    resetMarketState();
    resetTradingState();
    resetFrontendState();
    resetEndingState();
    resetOptions();
    resetDisplayState();
}
