// SPDX-License-Identifier: GPL-2.0-or-later
// SCENE_OPENING: five strips faded in and out through the display palette.
#include "core/devices.h"
#include "core/scenes.h"
#include "frontend/front_state.h"

namespace {

constexpr Rect openingStrips[5] = {
    {295, 511, 461, 530}, {295, 531, 461, 548}, {295, 549, 461, 568},
    {295, 569, 461, 586}, {295, 587, 461, 613},
};

// One step of each colour component toward the target; true while any rose.
bool fadeInStep() {
    bool rising = false;
    for (int i = 0; i < 256; ++i) {
        uint8_t* now[3] = {&devices.displayPalette[i].red, &devices.displayPalette[i].green,
                           &devices.displayPalette[i].blue};
        const uint8_t goal[3] = {devices.targetPalette[i].red, devices.targetPalette[i].green,
                                 devices.targetPalette[i].blue};
        for (int c = 0; c < 3; ++c) {
            if (*now[c] < goal[c]) {
                int v = *now[c] + 3;
                *now[c] = static_cast<uint8_t>(v > 255 ? 255 : v);
                rising = true;
            } else {
                *now[c] = goal[c];
            }
        }
    }
    return rising;
}

// One step of each colour component toward black; true while any fell.
bool fadeOutStep() {
    bool falling = false;
    for (int i = 0; i < 256; ++i) {
        uint8_t* now[3] = {&devices.displayPalette[i].red, &devices.displayPalette[i].green,
                           &devices.displayPalette[i].blue};
        for (uint8_t* c : now) {
            if (*c >= 3) {
                *c = static_cast<uint8_t>(*c - 3);
                falling = true;
            }
        }
    }
    return falling;
}

}  // namespace

void sceneOpening() {
    fillRect(devices.backBuffer, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, 0);
    if (front.openingStage >= 0 && front.openingStage <= 4)
        bltFast(devices.backBuffer, 240, 210, devices.spriteSheet, openingStrips[front.openingStage], true);

    if (front.openingStage > 4 || keyDown(Key::Enter)) {
        loop.GameScene = SCENE_TITLE_LOAD;
        mciSendString("Open data/title.mid Alias WAV01");
        mciSendString("Play WAV01 from 0 notify");
    }

    if (front.openingFadeIn == 1 && !fadeInStep()) {
        front.openingFadeIn = 0;
        front.openingFadeOut = 1;
    }
    if (front.openingFadeOut == 1 && !fadeOutStep()) {
        front.openingFadeOut = 0;
        ++front.openingStage;
        front.openingFadeIn = 1;
    }

    setDisplayPalette(devices.displayPalette);
    flip();
}
