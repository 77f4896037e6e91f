// SPDX-License-Identifier: GPL-2.0-or-later
// Save folders with values at the 32-bit limits, played through every screen
// that computes with them (support/screen_tour.h). Under the sanitizers an
// overflow stops the test; a line walked pixel by pixel off the screen would
// run past the test's time limit.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "core/rng.h"
#include "frontend/rank_table.h"
#include "state/records.h"
#include "state/save_files.h"
#include "state/save_layout.h"
#include "support/screen_tour.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;

const int32_t extremes[] = {INT32_MIN, INT32_MIN + 1, -50000000, -10000, -1, 0, 1,
                            998, 999, 1000, 10000, 50000000, INT32_MAX - 1, INT32_MAX};

// A saved game as the game writes it, then every number in it drawn from
// `extremes` or at random; texts keep their terminators.
void writeHostileSet(std::mt19937& random) {
    for (int slot = 0; slot < SLOTS; ++slot) {
        int32_t* numbers[] = {&ListedCompanies[slot].price, &Holdings[slot].shares, &TradeRows[slot].sellOrder,
                              &TradeRows[slot].bought,      &TradeRows[slot].sellPending,
                              &PriceHistory[slot].graphPrice, &PriceHistory[slot].graphY};
        for (int32_t* number : numbers) *number = extremes[random() % std::size(extremes)];
        for (int32_t& value : PriceHistory[slot].history) value = extremes[random() % std::size(extremes)];
        for (int32_t& value : PriceHistory[slot].graphSteps) value = extremes[random() % std::size(extremes)];
        PriceHistory[slot].historyCount = static_cast<int32_t>(random() % 20) - 3;
        CatalogIndex[slot] = static_cast<int32_t>(random());
        TradeRows[slot].bought = random() % 2;
    }
    int32_t* numbers[] = {&Player.cash, &Calendar.year, &Calendar.day, &Calendar.yearsLeft,
                          &PortfolioValue.stockValue, &PortfolioValue.stockValueSum, &PortfolioValue.everBought,
                          &GraphState.recordPending, &GraphState.graphSelected};
    for (int32_t* number : numbers) *number = extremes[random() % std::size(extremes)];
    Calendar.month = static_cast<int32_t>(random() % 14);
    GraphState.recordPending = random() % 2;
    for (RankEntry& row : RankTable) {
        row.assetClass = static_cast<int32_t>(random() % 9) - 1;
        row.stockValue = extremes[random() % std::size(extremes)];
        row.cash = extremes[random() % std::size(extremes)];
    }
    fs::create_directory("savedat");
    ASSERT_TRUE(saveGame());
    FILE* rank = std::fopen("savedat/rank.txt", "wb");
    ASSERT_NE(rank, nullptr);
    std::fwrite(RankTable, sizeof(RankEntry), RANK_FILE_ROWS, rank);
    std::fclose(rank);
}

TEST(HostileReplay, ExtremeValuesThroughEveryScreen) {
    testing_support::freshStartedRun();
    std::mt19937 random(13);
    for (int folder = 0; folder < 120; ++folder) {
        testing_support::resetForTour();
        seedRandom(static_cast<uint32_t>(folder));
        newGameSetup();
        writeHostileSet(random);
        testing_support::resetForTour();
        testing_support::tourLoadedGame(static_cast<uint32_t>(random()));
        ASSERT_FALSE(HasFatalFailure()) << "folder " << folder;
    }
}

// The cases met in the field, each on its own: a price at either limit with
// a large holding, a history step of 50,000,000 yen, a staged sale and a
// holding at the top, the calendar at its ends.
TEST(HostileReplay, KnownFaultsOfTheField) {
    testing_support::freshStartedRun();
    for (int fault = 0; fault < 6; ++fault) {
        testing_support::resetForTour();
        seedRandom(7);
        newGameSetup();
        Calendar = {2003, 1, 1, 5};
        Player.cash = 1000;
        for (int slot = 0; slot < SLOTS; ++slot) {
            TradeRows[slot].bought = 1;
            Holdings[slot].shares = 30000;
        }
        switch (fault) {
            case 0:
                for (int slot = 0; slot < SLOTS; ++slot) {
                    ListedCompanies[slot].price = slot % 2 ? INT32_MAX : INT32_MIN;
                    Holdings[slot].shares = INT32_MAX;
                }
                break;
            case 1:
                for (PriceHistoryRow& row : PriceHistory) {
                    row.history[0] = 100;
                    row.history[1] = 50000100;
                    row.historyCount = 13;
                }
                break;
            case 2:
                for (int slot = 0; slot < SLOTS; ++slot) {
                    TradeRows[slot].sellOrder = INT32_MAX;
                    Holdings[slot].shares = INT32_MAX;
                }
                break;
            case 3:
                Calendar = {INT32_MAX, 12, INT32_MAX, INT32_MIN};
                break;
            case 4:
                Player.cash = INT32_MIN;
                PortfolioValue.stockValue = INT32_MAX;
                break;
            default:
                for (PriceHistoryRow& row : PriceHistory) {
                    for (int32_t& value : row.history) value = INT32_MIN;
                    row.history[12] = INT32_MAX;
                    row.historyCount = 13;
                }
                break;
        }
        fs::create_directory("savedat");
        ASSERT_TRUE(saveGame());
        for (uint32_t choices : {0u, 0xFFFFFFFFu}) {
            testing_support::resetForTour();
            testing_support::tourLoadedGame(choices);
        }
    }
}

}  // namespace
