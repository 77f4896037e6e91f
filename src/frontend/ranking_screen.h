// SPDX-License-Identifier: GPL-2.0-or-later
// The ranking screen: shows the ranking table, orders it by asset class one
// pass a frame, enters the result of a finished game and writes the file.
#pragma once
#include <cstdint>

#include "frontend/ending_state.h"

// The length a name is padded to with blanks when it is entered.
constexpr int RANK_NAME_PAD = 7;
