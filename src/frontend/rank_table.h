// SPDX-License-Identifier: GPL-2.0-or-later
// The ranking table of five results, the asset class rule and the ranking file.
#pragma once
#include <cstddef>
#include <cstdint>

#include "core/devices.h"

struct RankEntry {
    char name[256];
    int32_t assetClass;
    int32_t stockValue;
    int32_t cash;
};
static_assert(sizeof(RankEntry) == 268);
static_assert(offsetof(RankEntry, assetClass) == 256);
static_assert(offsetof(RankEntry, cash) == 264);

constexpr int RANK_ROWS = 5;
constexpr int RANK_FILE_ROWS = 4;
extern RankEntry RankTable[RANK_ROWS];  // row 1 at index 0

// The class icons of the sprite sheet, class 0 (richest) to 6.
extern const Rect classIconRects[7];

// The asset class of a total (units of 10,000 yen); `previous` is kept in the
// range no rule covers.
int32_t assetClassOf(int32_t total, int32_t previous);

void loadRankFile();  // savedat/rank.txt into rows 1 to 4
void saveRankFile();  // rows 1 to 4 into savedat/rank.txt
void resetRankTable();
