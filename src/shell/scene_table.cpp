#include "shell/scenes.h"

int32_t GameScene = SCENE_OPENING;
int32_t frameCounter = 0;

namespace {
using SceneFunction = void (*)();
constexpr SceneFunction sceneTable[16] = {
    sceneTitleLoad, sceneTitleMenu, sceneNameEntry, marketFrame,   sceneBuy,     sceneHoldings,
    sceneSell,      sceneSupport,   sceneEndingStart, sceneStaffRoll, sceneGraphLoad, sceneGraph,
    sceneAward,     sceneOpening,   sceneGameOver,  sceneRanking,
};
}  // namespace

void runScene(int32_t scene) {
    if (scene < 0 || scene >= 16) return;
    sceneTable[scene]();
}
