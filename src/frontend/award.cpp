// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/award.h"

#include <cstdio>
#include <cstring>

#include "core/draw_context.h"
#include "core/scenes.h"
#include "frontend/rank_table.h"
#include "state/records.h"

void sceneAward() {
    ending.awardFrames += 1;

    char nameText[256];
    char stockText[64];
    char cashText[64];
    std::snprintf(nameText, sizeof nameText, "%.*s",
                  static_cast<int>(strnlen(Player.playerName, sizeof Player.playerName)),
                  Player.playerName);
    std::snprintf(stockText, sizeof stockText, "%ld0000円", static_cast<long>(PortfolioValue.stockValue));
    std::snprintf(cashText, sizeof cashText, "%ld0000円", static_cast<long>(Player.cash));

    bltFast(devices.backBuffer, 0, 0, devices.hyoshoSurface, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, false);
    // The class of the previous frame: a change of the total shows one frame later.
    if (ending.awardClass >= 0 && ending.awardClass <= 6) {
        bltFast(devices.backBuffer, 265, 273, devices.spriteSheet, classIconRects[ending.awardClass], true);
    }

    getDC();
    setBkMode(BkMode::Transparent);
    setTextColor(0, 0, 0);
    textOut(100, 50, nameText);
    releaseDC();

    getDC();
    setBkMode(BkMode::Transparent);
    setTextColor(255, 0, 0);
    textOut(200, 187, stockText);
    textOut(150, 207, cashText);
    releaseDC();

    const int32_t total = static_cast<int32_t>(static_cast<uint32_t>(Player.cash) +
                                               static_cast<uint32_t>(PortfolioValue.stockValue));
    ending.awardClass = assetClassOf(total, ending.awardClass);

    if (ending.awardFrames > AWARD_MAX_FRAMES || keyDown(Key::LeftButton)) {
        loop.GameScene = SCENE_RANKING;
        ending.awardFrames = 0;
    }
    flip();
}
