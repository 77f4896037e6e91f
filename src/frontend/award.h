// SPDX-License-Identifier: GPL-2.0-or-later
// The award screen: the certificate of a finished game.
#pragma once
#include <cstdint>

extern int32_t awardFrames;  // frames drawn in the current visit
extern int32_t awardClass;   // asset class of the player's total; the ranking enters it

constexpr int32_t AWARD_MAX_FRAMES = 1000;
