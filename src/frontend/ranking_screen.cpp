// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/ranking_screen.h"

#include <cstdio>
#include <cstring>

#include "core/devices.h"
#include "core/draw_context.h"
#include "core/scenes.h"
#include "frontend/award.h"
#include "frontend/rank_table.h"
#include "state/records.h"

namespace {

constexpr Rect backButtonRect = {202, 134, 347, 171};
constexpr Rect cursorRect = {9, 0, 26, 26};

// One bubble pass: a row climbs above the next one of a better class.
void orderPass() {
    for (int i = 0; i < RANK_ROWS - 1; ++i) {
        if (RankTable[i].assetClass > RankTable[i + 1].assetClass) {
            const RankEntry held = RankTable[i];
            RankTable[i] = RankTable[i + 1];
            RankTable[i + 1] = held;
        }
    }
}

// The player's result goes in above the first row with less cash.
void enterResult() {
    int place = -1;
    for (int i = 0; i < RANK_ROWS; ++i) {
        if (RankTable[i].cash < Player.cash) {
            place = i;
            break;
        }
    }
    if (place < 0) return;
    for (int i = RANK_ROWS - 1; i > place; --i) RankTable[i] = RankTable[i - 1];

    // The name, blanks up to seven bytes and the terminator; the bytes after
    // it are what the row held.
    RankEntry& row = RankTable[place];
    size_t length = strnlen(Player.playerName, sizeof Player.playerName);
    std::memcpy(row.name, Player.playerName, length);
    for (; length < RANK_NAME_PAD; ++length) row.name[length] = ' ';
    row.name[length] = '\0';
    row.stockValue = PortfolioValue.stockValue;
    row.cash = Player.cash;
    row.assetClass = ending.awardClass;
    ending.rankEntryMade = 1;
    ending.rankEntryPending = 0;
}

void drawRows() {
    getDC();
    setBkMode(BkMode::Transparent);
    setTextColor(255, 255, 255);
    for (int r = 0; r < RANK_ROWS; ++r) {
        const RankEntry& row = RankTable[r];
        const int y = 150 + 70 * r;
        char stockText[32];
        char cashText[32];
        std::snprintf(stockText, sizeof stockText, "%ld0000", static_cast<long>(row.stockValue));
        std::snprintf(cashText, sizeof cashText, "%ld0000", static_cast<long>(row.cash));
        textOut(170, y, row.name, static_cast<int>(strnlen(row.name, sizeof row.name)));
        textOut(250, y, stockText);
        textOut(370, y, cashText);
    }
    releaseDC();
}

}  // namespace

void sceneRanking() {
    getCursorPos();
    bltFast(devices.backBuffer, 0, 0, devices.rankingSurface, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, false);

    // A stored ranking is read before anything is entered or written over it.
    if (ending.rankFileRead == 0) {
        loadRankFile();
        ending.rankFileRead = 1;
    }

    orderPass();
    if (ending.rankEntryPending == 1) enterResult();
    saveRankFile();

    drawRows();
    for (RankEntry& row : RankTable) {
        const int32_t total = static_cast<int32_t>(static_cast<uint32_t>(row.stockValue) +
                                                   static_cast<uint32_t>(row.cash));
        row.assetClass = assetClassOf(total, row.assetClass);
    }
    for (int r = 0; r < RANK_ROWS; ++r) {
        const int32_t assetClass = RankTable[r].assetClass;
        if (assetClass < 0 || assetClass > 6) continue;
        bltFast(devices.backBuffer, 460, 140 + 70 * r, devices.spriteSheet, classIconRects[assetClass], true);
    }

    bltFast(devices.backBuffer, 10, 10, devices.spriteSheet, backButtonRect, true);
    bltFast(devices.backBuffer, devices.cursorPos.x, devices.cursorPos.y, devices.spriteSheet, cursorRect,
            true);

    if (cursorIn(11, 11, 144, 36) && keyDown(Key::LeftButton)) {
        loop.GameScene = SCENE_TITLE_LOAD;
        ending.rankEntryPending = 0;  // a result with no place is not carried to a later visit
    }
    flip();
}
