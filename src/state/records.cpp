// SPDX-License-Identifier: GPL-2.0-or-later
// The records of a game in progress and the company catalogue.
#include "state/records.h"

#include <cstring>


const char* const catalogNames[CATALOG_ROWS] = {
    "㈱フジニ本食品", "㈱アカハタフーズ", "㈱わらじや", "㈱セグメント",
    "㈱ナオスター", "㈱ジャポン", "㈱ジャルコ", "㈱しろがねや",
    "㈱クラ四星堂", "㈱肉市場", "㈱麒麟像", "㈱旭竹食品",
    "㈱イボンヌ", "㈱花園製菓", "㈱イーエル", "㈱春谷牧園",
    "㈱ぺル", "㈱五ッ星", "㈱高菜", "㈱弥生鉱石",
    "㈱TDS", "㈱春桜", "㈱銭低組", "㈱松街組",
    "㈱TUWA", "㈱機働建設", "㈱平和前田", "㈱ウソライト",
    "㈱GSIヴオレス", "㈱東ニス建設", "㈱サレコ", "㈱悪夢隊",
    "㈱富士テクニシャン", "㈱海崎地質", "㈱星", "㈱金目鯛",
    "㈱酵父工業", "㈱ソムー", "㈱ノンシール", "㈱タルガポリ",
    "㈱ウンガ", "㈱夜光化学", "㈱西南リコー", "㈱両倉",
    "㈱大野薬品", "㈱村岡化学", "㈱アトム", "㈱スリーピース",
    "㈱モナック", "㈱百合ゴム", "㈱銀銭機械", "㈱南芝電機",
    "㈱林電機", "㈱小興電子", "㈱正計電算", "㈱低砂電産",
    "㈱テーアツ工業", "㈱万歳電工", "㈱小淵機械", "㈱三本電通",
    "㈱月見堂", "㈱八光合成", "㈱和情報機", "㈱助山電工",
    "㈱ABC機械", "㈱山本工業", "㈱太阪製鉄", "㈱神笊造鉄",
    "㈱桑川", "㈱北京貴宝", "㈱鉄鋼板", "㈱グランツ",
    "㈱フルマック", "㈱岡運送", "㈱丸倉庫", "㈱小真空",
    "㈱ブラボウ", "㈱グレコ", "㈱マナベ経営", "㈱石丼表記",
    "㈱宝石印刷", "㈱成田産業", "㈱ルミナック", "㈱池州",
    "㈱和クロス", "㈱神名燃料", "㈱各紅", "㈱アテネ計器",
    "㈱山川商事", "㈱撫子硝子", "㈱旧東", "㈱満田香料",
    "㈱円丹",
};

CatalogEntry CompanyCatalog[CATALOG_ROWS];
ListedCompany ListedCompanies[SLOTS];
int32_t CatalogIndex[SLOTS];
PlayerRecord Player;
CalendarRecord Calendar;
PortfolioValueRecord PortfolioValue;
HoldingRow Holdings[SLOTS];
PriceHistoryRow PriceHistory[SLOTS];
GraphStateRecord GraphState;
TradeRow TradeRows[SLOTS];

SessionState session;

void resetGameRecords() {
    std::memset(CompanyCatalog, 0, sizeof CompanyCatalog);
    for (int row = 0; row < CATALOG_ROWS; ++row) {
        std::strncpy(CompanyCatalog[row].name, catalogNames[row], sizeof CompanyCatalog[row].name - 1);
    }
    std::memset(ListedCompanies, 0, sizeof ListedCompanies);
    std::memset(CatalogIndex, 0, sizeof CatalogIndex);
    std::memset(&Player, 0, sizeof Player);
    std::memset(&Calendar, 0, sizeof Calendar);
    std::memset(&PortfolioValue, 0, sizeof PortfolioValue);
    std::memset(Holdings, 0, sizeof Holdings);
    std::memset(PriceHistory, 0, sizeof PriceHistory);
    std::memset(&GraphState, 0, sizeof GraphState);
    std::memset(TradeRows, 0, sizeof TradeRows);
    session = SessionState{};
}
