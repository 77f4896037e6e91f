// Program-start values of the opening, title, name entry and graph state.
#include "frontend/front_state.h"
#include "shell/reset.h"

void resetFrontendState() {
    resetOpeningState();
    resetTitleState();
    resetNameEntryState();
    resetGraphScreenState();
}
