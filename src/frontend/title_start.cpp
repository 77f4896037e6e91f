// SPDX-License-Identifier: GPL-2.0-or-later
// The title menu's two ways into a game: a new game, or the saved one.
#include <cstdio>

#include "core/devices.h"
#include "core/rng.h"
#include "core/scenes.h"
#include "frontend/front_state.h"
#include "market/market_state.h"
#include "state/records.h"
#include "state/save_files.h"

void switchMusic(const char* openCommand) {
    mciSendString("Close WAV01");
    mciSendString(openCommand);
    mciSendString("Play WAV01 from 0 notify");
}

void startNewGame() {
    releaseSceneSurface(devices.titleSurface);
    front.titleMenuOpen = 0;
    session.loadSaved = 0;
    // Shown until the first price step writes the real prices.
    for (int i = 0; i < SLOTS; ++i) {
        std::snprintf(session.priceText[i], sizeof session.priceText[i], "%d",
                      static_cast<int>(1 + nextRandom() % 1000));
        Holdings[i].shares = 0;
    }
    Player.cash = 200;
    std::snprintf(Player.cashText, sizeof Player.cashText, "%ld0000円",
                  static_cast<long>(Player.cash));
    Calendar.year = 2003;
    Calendar.month = 1;
    Calendar.day = 1;
    newGameSetup();
    closeMessagePanel();
    loop.GameScene = SCENE_NAME_ENTRY;
    switchMusic("Open data/edit.mid Alias WAV01");
}

void continueSavedGame() {
    // A set with a file that cannot be read whole is never played from (nor
    // written over by the game that would follow): the menu stays.
    if (!loadGame()) return;
    releaseSceneSurface(devices.titleSurface);
    front.titleMenuOpen = 0;
    session.loadSaved = 1;
    closeMessagePanel();
    loop.GameScene = SCENE_MARKET;
    switchMusic("Open data/main.mid Alias WAV01");
}
