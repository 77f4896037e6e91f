// SPDX-License-Identifier: GPL-2.0-or-later
// The game-over scene: the game-over picture breaks up under its caption.
#pragma once
#include <cstdint>

#include "core/devices.h"

// 0 not started, 1 set up this frame, 2 running. Goes back to 0 when the scene
// is left, so every game over plays the effect from the start.
extern int32_t gameOverPhase;

constexpr Rect gameOverCaptionRect = {1, 651, 434, 724};
constexpr int GAME_OVER_CAPTION_X = 90;
constexpr int GAME_OVER_CAPTION_Y = 200;
