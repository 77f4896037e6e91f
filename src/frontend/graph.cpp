// SPDX-License-Identifier: GPL-2.0-or-later
// SCENE_GRAPH: the recent price of one listed company as a red line, with
// buttons to step through the companies, to buy and to go back.
#include <cstdio>
#include <cstring>

#include "core/devices.h"
#include "core/draw_context.h"
#include "core/saturate.h"
#include "core/scenes.h"
#include "frontend/front_state.h"
#include "state/records.h"

namespace {

constexpr Rect buyImage = {134, 28, 200, 64};
constexpr Rect nextImages[2] = {{0, 65, 66, 102}, {67, 65, 133, 102}};
constexpr Rect prevImages[2] = {{0, 28, 66, 65}, {67, 28, 133, 65}};
constexpr Rect backImages[2] = {{0, 139, 66, 176}, {67, 139, 133, 176}};

int32_t selectedSlot() {
    const int32_t s = GraphState.graphSelected;
    return s >= 0 && s < SLOTS ? s : 0;
}

void drawButtons() {
    bltFast(devices.backBuffer, 571, 100, devices.spriteSheet, buyImage, true);
    bltFast(devices.backBuffer, 571, 200, devices.spriteSheet, nextImages[front.graphNextPressed != 0], true);
    bltFast(devices.backBuffer, 571, 300, devices.spriteSheet, prevImages[front.graphPrevPressed != 0], true);
    bltFast(devices.backBuffer, 571, 400, devices.spriteSheet, backImages[front.graphBackPressed != 0], true);
}

void drawTexts(int32_t slot) {
    getDC();
    if (Holdings[slot].shares > 0) {
        setTextColor(255, 0, 0);
    } else {
        setTextColor(0, 0, 0);
    }
    const char* name = ListedCompanies[slot].name;
    textOut(4, 5, name, static_cast<int>(strnlen(name, sizeof ListedCompanies[slot].name)));
    releaseDC();
}

// The first recorded price, then the line: 40 pixels a step to the right and
// 20 pixels a yen, upward for a rise.
void drawPriceLine(int32_t slot) {
    PriceHistoryRow& row = PriceHistory[slot];
    getDC();
    setTextColor(0, 0, 0);
    char first[16];
    std::snprintf(first, sizeof first, "%d", static_cast<int>(row.history[0]));
    textOut(27, 326, first);
    moveTo(50, 335);
    selectPen(penRed3);
    row.graphY = 335;
    const int32_t count = row.historyCount < HISTORY_LENGTH ? row.historyCount : HISTORY_LENGTH;
    for (int32_t i = 0; i < count; ++i) {
        row.graphY = addClamped(row.graphY, -20 * int64_t{row.graphSteps[i]});
        lineTo(90 + 40 * i, row.graphY);
    }
    releaseDC();
}

// One company button: pressed image and a single step per press.
void pollStepButton(int top, int32_t& pressed, int32_t& latch, int32_t step) {
    if (!cursorIn(571, top, 637, top + 37)) return;
    if (!keyDown(Key::LeftButton)) {
        pressed = 0;
        latch = 0;
    } else if (latch == 0) {
        GraphState.graphSelected = (selectedSlot() + step + SLOTS) % SLOTS;
        pressed = 1;
        latch = 1;
    }
}

void pollButtons() {
    pollStepButton(300, front.graphPrevPressed, front.graphPrevLatch, -1);
    pollStepButton(200, front.graphNextPressed, front.graphNextLatch, 1);
    if (cursorIn(571, 400, 637, 437)) {
        if (!keyDown(Key::LeftButton)) {
            front.graphBackPressed = 0;
            front.graphBackLatch = 0;
        } else if (front.graphBackLatch == 0) {
            front.graphBackLatch = 1;
            loop.GameScene = SCENE_MARKET;
            front.graphBackPressed = 0;
        }
    }
    // The buy button acts on every frame the button is down over it.
    if (cursorIn(571, 100, 637, 137) && keyDown(Key::LeftButton)) loop.GameScene = SCENE_BUY;
}

}  // namespace

void sceneGraph() {
    const uint32_t now = timeGetTime();
    if (now - front.graphLastFrameTime < 20) {
        idleUntil(front.graphLastFrameTime + 20);
        return;
    }
    front.graphLastFrameTime = now;

    getCursorPos();
    bltFast(devices.backBuffer, 0, 0, devices.graphSurface, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, false);
    drawButtons();
    const int32_t slot = selectedSlot();
    drawTexts(slot);
    drawPriceLine(slot);
    pollButtons();
    drawCursorSprite();
    flip();
}
