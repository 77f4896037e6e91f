// SPDX-License-Identifier: GPL-2.0-or-later
// SCENE_NAME_ENTRY: the player's name typed on an on-screen keyboard and the
// goal in years, over a background that slides and wraps.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/devices.h"
#include "core/draw_context.h"
#include "core/scenes.h"
#include "frontend/front_state.h"
#include "state/records.h"

namespace {

const char* const keyboardRows[6] = {
    "ａ        ｂ        ｃ       ｄ        ｅ",
    "ｆ        ｇ        ｈ        ｉ        ｊ",
    "ｋ        ｌ        ｍ        ｎ        ｏ",
    "ｐ        ｑ        ｒ        ｓ        ｔ",
    "ｕ        ｖ        ｗ        ｘ        ｙ",
    "ｚ        戻る      進む",
};

// The picture tiled with its origin moved by (scrollX, scrollY), then moved on
// one pixel right and down.
void drawScrollingBackground() {
    bltFast(devices.backBuffer, 0, 0, devices.editSurface, {front.scrollX, front.scrollY, 640, 480}, false);
    bltFast(devices.backBuffer, 640 - front.scrollX, 0, devices.editSurface,
            {0, front.scrollY, front.scrollX, 480}, false);
    bltFast(devices.backBuffer, 0, 480 - front.scrollY, devices.editSurface,
            {front.scrollX, 0, 640, front.scrollY}, false);
    bltFast(devices.backBuffer, 640 - front.scrollX, 480 - front.scrollY, devices.editSurface,
            {0, 0, front.scrollX, front.scrollY}, false);
    if (--front.scrollX < 0) front.scrollX += 640;
    if (--front.scrollY < 0) front.scrollY += 480;
}

bool keyPressed(int key) {
    const KeyArea a = nameKeyArea(key);
    return pressLatch(front.nameKeyLatch[key], a.left, a.top, a.right, a.bottom);
}

void pollKeyboard() {
    if (front.nameLength < NAME_LETTERS) {
        for (int key = 0; key <= KEY_BLANK; ++key) {
            if (front.nameLength >= NAME_LETTERS) break;
            if (!keyPressed(key)) continue;
            const char typed = key == KEY_BLANK ? ' ' : static_cast<char>('a' + key);
            front.nameBuffer[front.nameLength] = typed;
            ++front.nameLength;
        }
    }
    if (keyPressed(KEY_BACK)) {
        --front.nameLength;
        if (front.nameLength <= 0) front.nameLength = 0;
        front.nameBuffer[front.nameLength] = ' ';
    }
}

// Held buttons and keys move the goal on every frame.
void pollGoal() {
    const bool button = keyDown(Key::LeftButton);
    if (button && cursorIn(499, 300, 516, 312) && ++front.goalYears >= 999) front.goalYears = 999;
    if (keyDown(Key::Up) && ++front.goalYears >= 999) front.goalYears = 999;
    if (button && cursorIn(499, 395, 516, 410) && --front.goalYears <= 1) front.goalYears = 1;
    if (keyDown(Key::Down) && --front.goalYears <= 1) front.goalYears = 1;
}

void confirmEntry() {
    if (front.nameLength > 0) {
        std::snprintf(Player.playerName, sizeof Player.playerName, "%s", front.nameBuffer);
    } else {
        std::snprintf(Player.playerName, sizeof Player.playerName, "%s", "Mr.ピクル");
    }
    std::snprintf(Player.goalYearsText, sizeof Player.goalYearsText, "%d", static_cast<int>(front.goalYears));
    Calendar.yearsLeft = static_cast<int32_t>(std::strtol(Player.goalYearsText, nullptr, 10));
    std::snprintf(session.yearsLeftText, sizeof session.yearsLeftText, "あと%d年",
                  static_cast<int>(Calendar.yearsLeft));
    loop.GameScene = SCENE_MARKET;
    switchMusic("Open data/main.mid Alias WAV01");
}

}  // namespace

void sceneNameEntry() {
    getCursorPos();
    fillRect(devices.backBuffer, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, 255);
    drawScrollingBackground();

    getDC();
    setTextColor(0, 0, 0);
    setBkMode(BkMode::Transparent);
    selectPen(penBlack3);
    selectBrush(brushHollow);
    roundRect(10, 10, 390, 470, 30, 30);
    roundRect(412, 160, 628, 470, 30, 30);
    roundRect(412, 10, 628, 138, 30, 30);

    textOut(150, 50, "NameEntry");
    for (int row = 0; row < 6; ++row) textOut(50, 100 + 30 * row, keyboardRows[row]);
    textOut(470, 200, "目標年数");
    textOut(500, 300, "▲");
    char goalText[16];
    std::snprintf(goalText, sizeof goalText, "%d年", static_cast<int>(front.goalYears));
    textOut(490, 350, goalText);
    textOut(500, 400, "▼");
    textOut(70, 420, "文字の上で、左クリックして下さい。");
    textOut(70, 440, "EnterキーでEntry終了。");

    pollKeyboard();
    pollGoal();

    textOut(440, 70, front.nameBuffer);
    releaseDC();
    drawCursorSprite();

    if (keyDown(Key::Enter)) confirmEntry();
    flip();
}
