// SPDX-License-Identifier: GPL-2.0-or-later
// A loaded game driven through every screen that computes with the loaded
// values: market frames with price steps, day changes, the news event and the
// messages, the graph of several companies, holdings, sell, buy, support, the
// end of play, the award and the ranking. Shared by the hostile-folder tests
// and the fuzzer; needs a started run on the headless backend.
#pragma once
#include <cstdint>

namespace testing_support {

// Continues the game saved in the working folder's savedat/ and plays the
// tour. `choices` picks the companies shown and the branches taken (sell or
// cancel, rounds of support, whether the news event is played).
void tourLoadedGame(uint32_t choices);

// Back to the state of a started run before the title: every game record,
// screen state and the ranking table as at program start; surfaces, palette
// and font stay as start-up left them.
void resetForTour();

}  // namespace testing_support
