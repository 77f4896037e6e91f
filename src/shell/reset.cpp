#include "shell/reset.h"

#include "shell/options.h"
#include "shell/sdl/sdl_display.h"
#include "state/save_writer.h"

void resetProgramState() {
    resetShellState();
    resetSaveWriter();
    resetGameRecords();
    resetMarketState();
    resetTradingState();
    resetFrontendState();
    resetEndingState();
    resetOptions();
    resetDisplayState();
}
