// SPDX-License-Identifier: GPL-2.0-or-later
// Price movement: every 60 counted frames a save, a random step for each of the
// thirty prices, the daily history sample, the stock value and bankruptcies.
// The price column is drawn on every call.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "core/draw_context.h"
#include "core/rng.h"
#include "core/saturate.h"
#include "core/scenes.h"
#include "market/market.h"
#include "market/market_state.h"
#include "state/save_writer.h"

void sampleHistory() {
    for (int32_t j = 0; j < SLOTS; ++j) {
        PriceHistoryRow& row = PriceHistory[j];
        if (row.historyCount < 0) row.historyCount = 0;
        if (row.historyCount >= HISTORY_LENGTH) {
            std::memmove(&row.history[0], &row.history[1], sizeof(int32_t) * (HISTORY_LENGTH - 1));
            row.historyCount = HISTORY_LENGTH - 1;
        }
        row.history[row.historyCount] = ListedCompanies[j].price;
        row.historyCount += 1;
    }
    GraphState.recordPending = 0;
    GraphState.historyLoopIndex = SLOTS;
}

void declareBankruptcy(int32_t slot) {
    ListedCompany& company = ListedCompanies[slot];
    company.price = 0;
    market.bankruptSlot = slot;
    market.bankruptRow = CatalogIndex[slot];
    std::snprintf(market.bankruptMessage, sizeof market.bankruptMessage, "%sが倒産しました", company.name);
    if (Holdings[slot].shares > 0) {
        std::snprintf(market.lostSharesMessage, sizeof market.lostSharesMessage, "%sの株を失いました",
                      company.name);
        Holdings[slot].shares = 0;
        market.lostShares[slot] = 1;
        market.lostSharesSlot = slot;
    }
    std::memset(PriceHistory[slot].history, 0, sizeof PriceHistory[slot].history);
    GraphState.historyLoopIndex = HISTORY_LENGTH;
    TradeRows[slot].sellOrder = 0;
    market.marketPaused = 1;
    market.bankruptShowing = 1;
}

// The value of the shares of one slot in yen, summed wide: a large holding
// would overflow 32 bits, and thirty of the largest would overflow 64.
static int64_t holdingYen(int32_t slot) {
    return static_cast<int64_t>(ListedCompanies[slot].price) * Holdings[slot].shares;
}

static void makePriceStep() {
    requestSave();
    int64_t sum = PortfolioValue.stockValueSum;
    for (int32_t i = 0; i < SLOTS; ++i) {
        const int32_t size = nextRandom() % 3;
        const int32_t direction = 1 + nextRandom() % 2;
        market.priceStepSize[i] = size;
        market.priceDirection[i] = direction;
        ListedCompany& company = ListedCompanies[i];
        if (direction == 1) {
            company.price = addClamped(company.price, size);
            session.priceMark[i] = 1;
            if (company.price >= PRICE_CEILING) company.price = PRICE_CEILING;
            if (Holdings[i].shares > 0) sum = addClamped64(sum, holdingYen(i));
            if (GraphState.recordPending == 1) sampleHistory();
        } else {
            company.price = addClamped(company.price, -size);
            session.priceMark[i] = 2;
            if (GraphState.recordPending == 1) sampleHistory();
            if (size == 0) session.priceMark[i] = 0;
            if (company.price <= 0) {
                declareBankruptcy(i);
            } else if (Holdings[i].shares > 0) {
                sum = addClamped64(sum, holdingYen(i));
            }
        }
        std::snprintf(session.priceText[i], sizeof session.priceText[i], "%d", company.price);
    }
    PortfolioValue.stockValue = clampToInt32(sum / 10000);
    std::snprintf(PortfolioValue.stockValueText, sizeof PortfolioValue.stockValueText,
                  "ただいまの株価値 %ld0000円", static_cast<long>(PortfolioValue.stockValue));
    market.stepTicks = 0;
}

static void drawPriceColumn() {
    getDC();
    setTextColor(0, 0, 0);
    setBkMode(BkMode::Transparent);
    for (int32_t slot = 0; slot < SLOTS; ++slot) {
        const int x = 157 + 180 * (slot / 10);
        textOut(x, 18 + 40 * (slot % 10), session.priceText[slot]);
    }
    releaseDC();
}

void priceStep() {
    if (market.marketPaused == 0 && loop.GameScene != SCENE_BUY) market.stepTicks += 1;
    if (market.stepTicks >= PRICE_STEP_FRAMES) makePriceStep();
    drawPriceColumn();
    PortfolioValue.stockValueSum = 0;
}
