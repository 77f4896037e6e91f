// SPDX-License-Identifier: GPL-2.0-or-later
// SCENE_NAME_ENTRY: the player's name typed on an on-screen keyboard and the
// goal in years, over a background that slides and wraps.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frontend/front_state.h"
#include "core/draw_context.h"
#include "core/devices.h"
#include "core/scenes.h"
#include "state/records.h"

char nameBuffer[NAME_LETTERS + 1];
int32_t nameLength;
int32_t goalYears = 1;
int32_t scrollX;
int32_t scrollY;
int32_t nameKeyLatch[NAME_KEYS];

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
    bltFast(devices.backBuffer, 0, 0, devices.editSurface, {scrollX, scrollY, 640, 480}, false);
    bltFast(devices.backBuffer, 640 - scrollX, 0, devices.editSurface, {0, scrollY, scrollX, 480}, false);
    bltFast(devices.backBuffer, 0, 480 - scrollY, devices.editSurface, {scrollX, 0, 640, scrollY}, false);
    bltFast(devices.backBuffer, 640 - scrollX, 480 - scrollY, devices.editSurface, {0, 0, scrollX, scrollY},
            false);
    if (--scrollX < 0) scrollX += 640;
    if (--scrollY < 0) scrollY += 480;
}

bool keyPressed(int key) {
    const KeyArea a = nameKeyArea(key);
    return pressLatch(nameKeyLatch[key], a.left, a.top, a.right, a.bottom);
}

void pollKeyboard() {
    if (nameLength < NAME_LETTERS) {
        for (int key = 0; key <= KEY_BLANK; ++key) {
            if (nameLength >= NAME_LETTERS) break;
            if (!keyPressed(key)) continue;
            const char typed = key == KEY_BLANK ? ' ' : static_cast<char>('a' + key);
            nameBuffer[nameLength] = typed;
            ++nameLength;
        }
    }
    if (keyPressed(KEY_BACK)) {
        --nameLength;
        if (nameLength <= 0) nameLength = 0;
        nameBuffer[nameLength] = ' ';
    }
}

// Held buttons and keys move the goal on every frame.
void pollGoal() {
    const bool button = keyDown(Key::LeftButton);
    if (button && cursorIn(499, 300, 516, 312) && ++goalYears >= 999) goalYears = 999;
    if (keyDown(Key::Up) && ++goalYears >= 999) goalYears = 999;
    if (button && cursorIn(499, 395, 516, 410) && --goalYears <= 1) goalYears = 1;
    if (keyDown(Key::Down) && --goalYears <= 1) goalYears = 1;
}

void confirmEntry() {
    if (nameLength > 0) {
        std::snprintf(Player.playerName, sizeof Player.playerName, "%s", nameBuffer);
    } else {
        std::snprintf(Player.playerName, sizeof Player.playerName, "%s", "Mr.ピクル");
    }
    std::snprintf(Player.goalYearsText, sizeof Player.goalYearsText, "%d",
                  static_cast<int>(goalYears));
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
    std::snprintf(goalText, sizeof goalText, "%d年", static_cast<int>(goalYears));
    textOut(490, 350, goalText);
    textOut(500, 400, "▼");
    textOut(70, 420, "文字の上で、左クリックして下さい。");
    textOut(70, 440, "EnterキーでEntry終了。");

    pollKeyboard();
    pollGoal();

    textOut(440, 70, nameBuffer);
    releaseDC();
    drawCursorSprite();

    if (keyDown(Key::Enter)) confirmEntry();
    flip();
}

void resetNameEntryState() {
    std::memset(nameBuffer, 0, sizeof nameBuffer);
    nameLength = 0;
    goalYears = 1;
    scrollX = 0;
    scrollY = 0;
    for (int32_t& latch : nameKeyLatch) latch = 0;
}
