// SPDX-License-Identifier: GPL-2.0-or-later
// The game records: byte layouts, the catalogue, the program-start values of
// every state record.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "core/main_loop.h"
#include "core/rng.h"
#include "core/scenes.h"
#include "core/trig.h"
#include "frontend/ending_state.h"
#include "frontend/front_state.h"
#include "frontend/rank_table.h"
#include "frontend/shatter.h"
#include "frontend/staff_roll.h"
#include "frontend/wave.h"
#include "market/market_state.h"
#include "program/program.h"
#include "state/catalog_rows.h"
#include "state/records.h"
#include "state/save_files.h"
#include "support/screen_tour.h"
#include "support/test_support.h"
#include "trading/trading_state.h"

namespace {

bool allZero(const void* bytes, size_t size) {
    const unsigned char* p = static_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < size; ++i) {
        if (p[i] != 0) return false;
    }
    return true;
}

TEST(StateRecords, SizesAndOffsets) {
    EXPECT_EQ(sizeof(CatalogEntry), 108u);
    EXPECT_EQ(offsetof(CatalogEntry, catalogPrice), 100u);
    EXPECT_EQ(offsetof(CatalogEntry, listed), 104u);
    EXPECT_EQ(sizeof(ListedCompany), 104u);
    EXPECT_EQ(offsetof(ListedCompany, price), 100u);
    EXPECT_EQ(sizeof(PlayerRecord), 372u);
    EXPECT_EQ(offsetof(PlayerRecord, goalYearsText), 255u);
    EXPECT_EQ(offsetof(PlayerRecord, cashText), 265u);
    EXPECT_EQ(offsetof(PlayerRecord, cash), 368u);
    EXPECT_EQ(sizeof(CalendarRecord), 16u);
    EXPECT_EQ(offsetof(CalendarRecord, yearsLeft), 12u);
    EXPECT_EQ(sizeof(PortfolioValueRecord), 112u);
    EXPECT_EQ(offsetof(PortfolioValueRecord, stockValueSum), 4u);
    EXPECT_EQ(offsetof(PortfolioValueRecord, stockValueText), 8u);
    EXPECT_EQ(offsetof(PortfolioValueRecord, everBought), 108u);
    EXPECT_EQ(sizeof(HoldingRow), 116u);
    EXPECT_EQ(offsetof(HoldingRow, sharesText), 100u);
    EXPECT_EQ(offsetof(HoldingRow, shares), 112u);
    EXPECT_EQ(sizeof(PriceHistoryRow), 124u);
    EXPECT_EQ(offsetof(PriceHistoryRow, historyCount), 52u);
    EXPECT_EQ(offsetof(PriceHistoryRow, graphPrice), 56u);
    EXPECT_EQ(offsetof(PriceHistoryRow, graphSpare), 60u);
    EXPECT_EQ(offsetof(PriceHistoryRow, graphSteps), 64u);
    EXPECT_EQ(offsetof(PriceHistoryRow, graphStepIndex), 116u);
    EXPECT_EQ(offsetof(PriceHistoryRow, graphY), 120u);
    EXPECT_EQ(sizeof(GraphStateRecord), 12u);
    EXPECT_EQ(sizeof(TradeRow), 164u);
    EXPECT_EQ(offsetof(TradeRow, sharesText), 100u);
    EXPECT_EQ(offsetof(TradeRow, sellOrder), 152u);
    EXPECT_EQ(offsetof(TradeRow, bought), 156u);
    EXPECT_EQ(offsetof(TradeRow, sellPending), 160u);
    EXPECT_EQ(sizeof ListedCompanies, 3120u);
    EXPECT_EQ(sizeof Holdings, 3480u);
    EXPECT_EQ(sizeof PriceHistory, 3720u);
    EXPECT_EQ(sizeof GraphState + sizeof TradeRows, 4932u);
    EXPECT_EQ(sizeof session.priceText, 300u);
    EXPECT_EQ(sizeof session.yearsLeftText, 32u);
}

TEST(StateRecords, CatalogueNamesAreCodePage932) {
    testing_support::freshRun();
    for (int row = 0; row < CATALOG_ROWS; ++row) {
        const unsigned char* name = reinterpret_cast<const unsigned char*>(catalogNames[row]);
        ASSERT_NE(name, nullptr);
        // Every name starts with the company mark, 0x87 0x8A in code page 932.
        EXPECT_EQ(name[0], 0x87) << row;
        EXPECT_EQ(name[1], 0x8A) << row;
        EXPECT_LT(std::strlen(catalogNames[row]), 100u) << row;
        EXPECT_STREQ(CompanyCatalog[row].name, catalogNames[row]) << row;
        // The bytes after each name are zero, as in the program's data.
        const size_t length = std::strlen(catalogNames[row]);
        EXPECT_TRUE(allZero(CompanyCatalog[row].name + length, sizeof CompanyCatalog[row].name - length));
        EXPECT_EQ(CompanyCatalog[row].catalogPrice, 0);
        EXPECT_EQ(CompanyCatalog[row].listed, 0);
    }
    // "㈱フジニ本食品": the mark, then フ (0x83 0x74).
    const unsigned char* first = reinterpret_cast<const unsigned char*>(catalogNames[0]);
    EXPECT_EQ(first[2], 0x83);
    EXPECT_EQ(first[3], 0x74);
    // The names are distinct.
    for (int a = 0; a < CATALOG_ROWS; ++a) {
        for (int b = a + 1; b < CATALOG_ROWS; ++b) EXPECT_STRNE(catalogNames[a], catalogNames[b]);
    }
}

// Copies of every state record, and the game records and ranking as bytes.
struct ProgramState {
    LoopState loop;
    RngState rng;
    TrigTables trig;
    DeviceState devices;
    SessionState session;
    MarketState market;
    TradingState trading;
    FrontState front;
    StaffRollState staffRoll;
    WaveState wave;
    ShatterState shatter;
    EndingState ending;
    std::string records;

    void take() {
        loop = ::loop;
        rng = ::rng;
        trig = ::trig;
        devices = ::devices;
        session = ::session;
        market = ::market;
        trading = ::trading;
        front = ::front;
        staffRoll = ::staffRoll;
        wave = ::wave;
        shatter = ::shatter;
        ending = ::ending;
        records = testing_support::savedRecords();
        records.append(reinterpret_cast<const char*>(CompanyCatalog), sizeof CompanyCatalog);
        records.append(reinterpret_cast<const char*>(RankTable), sizeof RankTable);
    }
};

// The names of the records that differ between two states.
std::string differing(const ProgramState& a, const ProgramState& b) {
    std::string names;
    const auto check = [&names](bool same, const char* name) {
        names += same ? "" : std::string(" ") + name;
    };
    check(a.loop == b.loop, "loop");
    check(a.rng == b.rng, "rng");
    check(a.trig == b.trig, "trig");
    check(a.devices == b.devices, "devices");
    check(a.session == b.session, "session");
    check(a.market == b.market, "market");
    check(a.trading == b.trading, "trading");
    check(a.front == b.front, "front");
    check(a.staffRoll == b.staffRoll, "staffRoll");
    check(a.wave == b.wave, "wave");
    check(a.shatter == b.shatter, "shatter");
    check(a.ending == b.ending, "ending");
    check(a.records == b.records, "records");
    return names;
}

// A game played through every screen changes every record; the program reset
// then gives back exactly the state a fresh run starts from.
TEST(StateRecords, ResetAfterPlayGivesProgramStartValues) {
    const auto start = std::make_unique<ProgramState>();
    const auto now = std::make_unique<ProgramState>();
    testing_support::freshRun();
    start->take();
    startup();
    newGameSetup();
    std::filesystem::create_directory("savedat");
    ASSERT_TRUE(saveGame());
    testing_support::resetForTour();
    testing_support::tourLoadedGame(1);
    for (const int32_t scene :
         {SCENE_OPENING, SCENE_TITLE_LOAD, SCENE_NAME_ENTRY, SCENE_STAFF_ROLL, SCENE_GAME_OVER}) {
        loop.GameScene = scene;
        testing_support::runTurns(scene == SCENE_STAFF_ROLL ? 300 : 3);
    }
    now->take();
    EXPECT_EQ(differing(*now, *start),
              " loop rng trig devices session market trading front staffRoll wave shatter ending records");
    resetProgramState();
    now->take();
    EXPECT_EQ(differing(*now, *start), "");
}

TEST(StateRecords, ListedFlagHelpers) {
    testing_support::freshRun();
    EXPECT_EQ(freeCatalogRows(), 92);
    EXPECT_EQ(firstFreeCatalogRow(0), 0);
    EXPECT_EQ(firstFreeCatalogRow(91), 91);
    // Out-of-range starts wrap into the drawn rows.
    EXPECT_EQ(firstFreeCatalogRow(92), 0);
    EXPECT_EQ(firstFreeCatalogRow(-1), 91);
    CompanyCatalog[91].listed = 1;
    CompanyCatalog[0].listed = 1;
    EXPECT_EQ(firstFreeCatalogRow(91), 1);
    for (int row = 0; row < 92; ++row) CompanyCatalog[row].listed = 1;
    EXPECT_EQ(firstFreeCatalogRow(5), -1);
    EXPECT_EQ(freeCatalogRows(), 0);
    CompanyCatalog[92].listed = 1;
    // Too few free rows for a draw: every row off the board comes free.
    for (int slot = 0; slot < SLOTS; ++slot) CatalogIndex[slot] = 92 - slot * 3;
    freeRowsForDraw(1);
    int listed = 0;
    for (int row = 0; row < CATALOG_ROWS; ++row) {
        bool inIndex = false;
        for (int slot = 0; slot < SLOTS; ++slot) inIndex = inIndex || CatalogIndex[slot] == row;
        EXPECT_EQ(CompanyCatalog[row].listed, inIndex ? 1 : 0) << row;
        listed += CompanyCatalog[row].listed;
    }
    EXPECT_EQ(listed, 30);
    // Enough free rows: nothing changes. Marking sets the board's rows and
    // clears nothing.
    CompanyCatalog[0].listed = 1;
    freeRowsForDraw(SLOTS);
    EXPECT_EQ(CompanyCatalog[0].listed, 1);
    CompanyCatalog[92].listed = 0;
    markListedRows();
    EXPECT_EQ(CompanyCatalog[92].listed, 1);
    EXPECT_EQ(CompanyCatalog[0].listed, 1);
    EXPECT_EQ(freeCatalogRows(), 62);
    clearListedFlags();
    EXPECT_EQ(freeCatalogRows(), 92);
    EXPECT_EQ(CompanyCatalog[92].listed, 0);
}

}  // namespace
