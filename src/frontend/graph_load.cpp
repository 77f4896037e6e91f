// SPDX-License-Identifier: GPL-2.0-or-later
// SCENE_GRAPH_LOAD: the graph background, one surface for every visit.
#include "core/devices.h"
#include "core/scenes.h"
#include "frontend/front_state.h"

void sceneGraphLoad() {
    // The surface of the last visit goes first, so visits never pile them up.
    if (devices.graphSurface.held) releaseSceneSurface(devices.graphSurface);
    createSceneSurface(devices.graphSurface);
    loadBitmapToSurface(devices.graphSurface, "data/grfback.BMP");
    loop.GameScene = SCENE_GRAPH;
}
