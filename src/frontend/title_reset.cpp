// SPDX-License-Identifier: GPL-2.0-or-later
// The state of the opening, title, name entry and graph, and its reset.
#include "frontend/front_scenes.h"
#include "frontend/front_state.h"

FrontState front;

void resetFrontendState() { front = FrontState{}; }
