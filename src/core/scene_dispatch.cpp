// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/scenes.h"

LoopState loop;

namespace {
const SceneFunction* sceneTable = nullptr;
}  // namespace

void setSceneTable(const SceneFunction (&table)[SCENE_COUNT]) { sceneTable = table; }

void runScene(int32_t scene) {
    if (scene < 0 || scene >= SCENE_COUNT || sceneTable == nullptr) return;
    sceneTable[scene]();
}
