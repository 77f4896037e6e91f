// SPDX-License-Identifier: GPL-2.0-or-later
// SCENE_TITLE_LOAD: the title picture into its own surface.
#include "core/devices.h"
#include "core/scenes.h"
#include "frontend/front_state.h"

void sceneTitleLoad() {
    // A surface kept from the last visit (the ranking leaves it held) goes first.
    if (devices.titleSurface.held) releaseSceneSurface(devices.titleSurface);
    createSceneSurface(devices.titleSurface);
    loadBitmapToSurface(devices.titleSurface, "data/title.BMP");
    loop.GameScene = SCENE_TITLE_MENU;
}
