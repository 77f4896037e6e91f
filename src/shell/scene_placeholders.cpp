// Scenes not yet written. Each area removes its lines here as it adds its scenes.
#include "shell/scenes.h"
#include "shell/reset.h"

// frontend (opening, title, name entry, graph)
void sceneOpening() {}
void sceneTitleLoad() {}
void sceneTitleMenu() {}
void sceneNameEntry() {}
void sceneGraphLoad() {}
void sceneGraph() {}
void resetFrontendState() {}
