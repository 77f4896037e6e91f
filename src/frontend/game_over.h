// SPDX-License-Identifier: GPL-2.0-or-later
// The game-over scene: the game-over picture breaks up under its caption.
#pragma once
#include <cstdint>

#include "core/devices.h"
#include "frontend/ending_state.h"

constexpr Rect gameOverCaptionRect = {1, 651, 434, 724};
constexpr int GAME_OVER_CAPTION_X = 90;
constexpr int GAME_OVER_CAPTION_Y = 200;
