// SPDX-License-Identifier: GPL-2.0-or-later
// The market's part of the program reset: every global of the market screen
// and its operations back to its program-start value.
#include "market/market.h"
#include "market/market_state.h"
#include "market/market_state.h"

void resetMarketState() {
    resetSharedMarketState();
    resetPriceStepState();
    resetCalendarState();
    resetNewsState();
    resetAssetPanelState();
    resetStripTransitionState();
}
