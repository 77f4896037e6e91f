// SPDX-License-Identifier: GPL-2.0-or-later
// The award screen: the certificate of a finished game.
#pragma once
#include <cstdint>

#include "frontend/ending_state.h"

constexpr int32_t AWARD_MAX_FRAMES = 1000;
