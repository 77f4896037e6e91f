// SPDX-License-Identifier: GPL-2.0-or-later
// The state dump of the runner.
#include "state_dump.h"

#include <cstdio>

#include "state/records.h"
#include "variables.h"

bool dumpState(const std::string& path) {
    FILE* out = std::fopen(path.c_str(), "w");
    if (out == nullptr) return false;
    std::fprintf(out, "player \"%s\"\n", cp932ToUtf8(Player.playerName, sizeof Player.playerName).c_str());
    std::fprintf(out, "goal \"%s\"\n", cp932ToUtf8(Player.goalYearsText, sizeof Player.goalYearsText).c_str());
    std::fprintf(out, "cash %d \"%s\"\n", Player.cash, cp932ToUtf8(Player.cashText, sizeof Player.cashText).c_str());
    std::fprintf(out, "stock %d \"%s\" everBought %d\n", PortfolioValue.stockValue,
                 cp932ToUtf8(PortfolioValue.stockValueText, sizeof PortfolioValue.stockValueText).c_str(),
                 PortfolioValue.everBought);
    std::fprintf(out, "date %d %d %d yearsLeft %d \"%s\"\n", Calendar.year, Calendar.month, Calendar.day,
                 Calendar.yearsLeft,
                 cp932ToUtf8(session.yearsLeftText, sizeof session.yearsLeftText).c_str());
    std::fprintf(out, "graph selected %d recordPending %d\n", GraphState.graphSelected, GraphState.recordPending);
    for (int i = 0; i < SLOTS; ++i) {
        std::fprintf(out, "slot %d row %d price %d shares %d bought %d \"%s\"\n", i, CatalogIndex[i],
                     ListedCompanies[i].price, Holdings[i].shares, TradeRows[i].bought,
                     cp932ToUtf8(ListedCompanies[i].name, sizeof ListedCompanies[i].name).c_str());
    }
    for (int i = 0; i < SLOTS; ++i) {
        const PriceHistoryRow& row = PriceHistory[i];
        std::fprintf(out, "history %d count %d:", i, row.historyCount);
        for (int k = 0; k < HISTORY_LENGTH; ++k) std::fprintf(out, " %d", row.history[k]);
        std::fprintf(out, "\n");
    }
    int listed = 0;
    for (const CatalogEntry& entry : CompanyCatalog) listed += entry.listed != 0 ? 1 : 0;
    std::fprintf(out, "listed rows %d\n", listed);
    return std::fclose(out) == 0;
}
