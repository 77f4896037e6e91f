// SPDX-License-Identifier: GPL-2.0-or-later
// The game records: byte layouts, the catalogue, the program-start values.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "program/program.h"
#include "state/catalog_rows.h"
#include "state/records.h"
#include "support/test_support.h"

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

TEST(StateRecords, ResetGivesProgramStartValues) {
    testing_support::freshRun();
    std::memset(ListedCompanies, 0x5A, sizeof ListedCompanies);
    std::memset(CatalogIndex, 0x5A, sizeof CatalogIndex);
    std::memset(&Player, 0x5A, sizeof Player);
    std::memset(&Calendar, 0x5A, sizeof Calendar);
    std::memset(&PortfolioValue, 0x5A, sizeof PortfolioValue);
    std::memset(Holdings, 0x5A, sizeof Holdings);
    std::memset(PriceHistory, 0x5A, sizeof PriceHistory);
    std::memset(&GraphState, 0x5A, sizeof GraphState);
    std::memset(TradeRows, 0x5A, sizeof TradeRows);
    std::memset(session.priceText, 0x5A, sizeof session.priceText);
    std::memset(session.priceMark, 0x5A, sizeof session.priceMark);
    std::memset(session.yearsLeftText, 0x5A, sizeof session.yearsLeftText);
    std::memset(CompanyCatalog, 0x5A, sizeof CompanyCatalog);
    session.loadSaved = 1;
    resetGameRecords();
    EXPECT_TRUE(allZero(ListedCompanies, sizeof ListedCompanies));
    EXPECT_TRUE(allZero(CatalogIndex, sizeof CatalogIndex));
    EXPECT_TRUE(allZero(&Player, sizeof Player));
    EXPECT_TRUE(allZero(&Calendar, sizeof Calendar));
    EXPECT_TRUE(allZero(&PortfolioValue, sizeof PortfolioValue));
    EXPECT_TRUE(allZero(Holdings, sizeof Holdings));
    EXPECT_TRUE(allZero(PriceHistory, sizeof PriceHistory));
    EXPECT_TRUE(allZero(&GraphState, sizeof GraphState));
    EXPECT_TRUE(allZero(TradeRows, sizeof TradeRows));
    EXPECT_TRUE(allZero(session.priceText, sizeof session.priceText));
    EXPECT_TRUE(allZero(session.priceMark, sizeof session.priceMark));
    EXPECT_TRUE(allZero(session.yearsLeftText, sizeof session.yearsLeftText));
    EXPECT_EQ(session.loadSaved, 0);
    for (int row = 0; row < CATALOG_ROWS; ++row) {
        EXPECT_STREQ(CompanyCatalog[row].name, catalogNames[row]);
        // The bytes after each name are zero, as in the program's data.
        size_t length = std::strlen(catalogNames[row]);
        EXPECT_TRUE(allZero(CompanyCatalog[row].name + length, sizeof CompanyCatalog[row].name - length));
        EXPECT_EQ(CompanyCatalog[row].catalogPrice, 0);
        EXPECT_EQ(CompanyCatalog[row].listed, 0);
    }
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
