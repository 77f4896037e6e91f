// SPDX-License-Identifier: GPL-2.0-or-later
// The records of a game in progress, each one global instance laid out exactly
// as its save file.
#pragma once
#include <cstddef>
#include <cstdint>

// Program-start values of the records and the session state.
void resetGameRecords();

constexpr int CATALOG_ROWS = 93;
constexpr int SLOTS = 30;
constexpr int HISTORY_LENGTH = 13;

struct CatalogEntry {
    char name[100];
    int32_t catalogPrice;
    int32_t listed;
};
static_assert(sizeof(CatalogEntry) == 108);

struct ListedCompany {
    char name[100];
    int32_t price;
};
static_assert(sizeof(ListedCompany) == 104);
static_assert(offsetof(ListedCompany, price) == 100);

struct PlayerRecord {
    char playerName[255];
    char goalYearsText[10];
    char cashText[103];
    int32_t cash;
};
static_assert(sizeof(PlayerRecord) == 372);
static_assert(offsetof(PlayerRecord, goalYearsText) == 255);
static_assert(offsetof(PlayerRecord, cashText) == 265);
static_assert(offsetof(PlayerRecord, cash) == 368);

struct CalendarRecord {
    int32_t year;
    int32_t month;
    int32_t day;
    int32_t yearsLeft;
};
static_assert(sizeof(CalendarRecord) == 16);

struct PortfolioValueRecord {
    int32_t stockValue;
    int32_t stockValueSum;
    char stockValueText[100];
    int32_t everBought;
};
static_assert(sizeof(PortfolioValueRecord) == 112);
static_assert(offsetof(PortfolioValueRecord, stockValueText) == 8);
static_assert(offsetof(PortfolioValueRecord, everBought) == 108);

struct HoldingRow {
    char reserved[100];
    char sharesText[12];
    int32_t shares;
};
static_assert(sizeof(HoldingRow) == 116);
static_assert(offsetof(HoldingRow, shares) == 112);

struct PriceHistoryRow {
    int32_t history[HISTORY_LENGTH];
    int32_t historyCount;
    int32_t graphPrice;
    int32_t graphSpare;
    int32_t graphSteps[HISTORY_LENGTH];
    int32_t graphStepIndex;
    int32_t graphY;
};
static_assert(sizeof(PriceHistoryRow) == 124);
static_assert(offsetof(PriceHistoryRow, historyCount) == 52);
static_assert(offsetof(PriceHistoryRow, graphSteps) == 64);
static_assert(offsetof(PriceHistoryRow, graphY) == 120);

struct GraphStateRecord {
    int32_t recordPending;
    int32_t graphSelected;
    int32_t historyLoopIndex;
};
static_assert(sizeof(GraphStateRecord) == 12);

struct TradeRow {
    char name[100];
    char sharesText[52];
    int32_t sellOrder;
    int32_t bought;
    int32_t sellPending;
};
static_assert(sizeof(TradeRow) == 164);
static_assert(offsetof(TradeRow, sellOrder) == 152);
static_assert(offsetof(TradeRow, sellPending) == 160);

// The records.
extern CatalogEntry CompanyCatalog[CATALOG_ROWS];
extern ListedCompany ListedCompanies[SLOTS];
extern int32_t CatalogIndex[SLOTS];
extern PlayerRecord Player;
extern CalendarRecord Calendar;
extern PortfolioValueRecord PortfolioValue;
extern HoldingRow Holdings[SLOTS];
extern PriceHistoryRow PriceHistory[SLOTS];
extern GraphStateRecord GraphState;
extern TradeRow TradeRows[SLOTS];

// State of this run beside the records, not saved: the texts drawn from them
// and how the game began. Every field holds its program-start value until
// the game changes it.
struct SessionState {
    char priceText[SLOTS][10] = {};
    int32_t priceMark[SLOTS] = {};  // 0 unchanged, 1 rose, 2 fell
    char yearsLeftText[32] = {};
    int32_t loadSaved = 0;  // 1 when continuing a saved game

    bool operator==(const SessionState&) const = default;
};
extern SessionState session;

// The catalogue names as code page 932 bytes, rows 0 to 92.
extern const char* const catalogNames[CATALOG_ROWS];
