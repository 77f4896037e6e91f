// SPDX-License-Identifier: GPL-2.0-or-later
// The ranking screen: shows the ranking table, orders it by asset class one
// pass a frame, enters the result of a finished game and writes the file.
#pragma once
#include <cstdint>

// 1 once a result has been entered in this run.
extern int32_t rankEntryMade;
// 1 while a finished game waits to be entered. Set by the ending start (the
// only way into the ending), cleared when the result is entered or when the
// ranking screen is left, so a visit from the title menu never enters
// anything, no result is entered twice, and every finished game of the run
// gets its chance.
extern int32_t rankEntryPending;
// 1 once the ranking file has been read in this run: the table is never
// written over a stored ranking that was not read first.
extern int32_t rankFileRead;

// The length a name is padded to with blanks when it is entered.
constexpr int RANK_NAME_PAD = 7;
