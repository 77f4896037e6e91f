// SPDX-License-Identifier: GPL-2.0-or-later
// Scene numbers, the current scene and the scene functions.
#pragma once
#include <cstdint>

enum : int32_t {
    SCENE_TITLE_LOAD = 0,
    SCENE_TITLE_MENU = 1,
    SCENE_NAME_ENTRY = 2,
    SCENE_MARKET = 3,
    SCENE_BUY = 4,
    SCENE_HOLDINGS = 5,
    SCENE_SELL = 6,
    SCENE_SUPPORT = 7,
    SCENE_ENDING_START = 8,
    SCENE_STAFF_ROLL = 9,
    SCENE_GRAPH_LOAD = 10,
    SCENE_GRAPH = 11,
    SCENE_AWARD = 12,
    SCENE_OPENING = 13,
    SCENE_GAME_OVER = 14,
    SCENE_RANKING = 15,
};

// The main loop's state; every field holds its program-start value until the
// loop changes it.
struct LoopState {
    int32_t GameScene = SCENE_OPENING;
    int32_t frameCounter = 0;  // main-loop turns; also the day timer

    bool operator==(const LoopState&) const = default;
};
extern LoopState loop;

constexpr int SCENE_COUNT = 16;
using SceneFunction = void (*)();
// The function of every scene, in scene-number order (the program gives them).
void setSceneTable(const SceneFunction (&table)[SCENE_COUNT]);

// Calls the function of the scene in GameScene; numbers outside 0 to 15 call nothing.
void runScene(int32_t scene);
