// SPDX-License-Identifier: GPL-2.0-or-later
// Program-start values of the opening, title, name entry and graph state.
#include "frontend/front_state.h"
#include "frontend/front_scenes.h"

void resetFrontendState() {
    resetOpeningState();
    resetTitleState();
    resetNameEntryState();
    resetGraphScreenState();
}
