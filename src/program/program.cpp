// SPDX-License-Identifier: GPL-2.0-or-later
#include "program/program.h"

#include "core/reset.h"
#include "core/scenes.h"
#include "frontend/front_scenes.h"
#include "frontend/front_state.h"
#include "market/market.h"
#include "market/market_state.h"
#include "state/records.h"
#include "state/save_writer.h"
#include "trading/trading_state.h"

namespace {
// In scene-number order.
constexpr SceneFunction GAME_SCENES[SCENE_COUNT] = {
    sceneTitleLoad, sceneTitleMenu, sceneNameEntry,   marketFrame,    sceneBuy,       sceneHoldings,
    sceneSell,      sceneSupport,   sceneEndingStart, sceneStaffRoll, sceneGraphLoad, sceneGraph,
    sceneAward,     sceneOpening,   sceneGameOver,    sceneRanking,
};

long gameDate() { return Calendar.year * 10000L + Calendar.month * 100L + Calendar.day; }
}  // namespace

void resetProgramState() {
    resetCoreState();
    setSceneTable(GAME_SCENES);
    addShutdownHook(stopSaveWriter);  // the last set requested reaches the disk
    setDateSource(gameDate);
    resetSaveWriter();
    resetGameRecords();
    resetMarketState();
    resetTradingState();
    resetFrontendState();
    resetEndingState();
}
