// SCENE_GRAPH_LOAD: the graph background, one surface for every visit.
#include "frontend/front_state.h"
#include "shell/platform.h"
#include "shell/scenes.h"

void sceneGraphLoad() {
    // The surface of the last visit goes first, so visits never pile them up.
    if (graphSurface.held) releaseSceneSurface(graphSurface);
    createSceneSurface(graphSurface);
    loadBitmapToSurface(graphSurface, "data/grfback.BMP");
    GameScene = SCENE_GRAPH;
}
