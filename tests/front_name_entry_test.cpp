// SPDX-License-Identifier: GPL-2.0-or-later
// Name entry: the keyboard, the goal years, the sliding background and Enter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/devices.h"
#include "core/draw_context.h"
#include "core/scenes.h"
#include "frontend/front_state.h"
#include "platform/headless/headless.h"
#include "state/records.h"
#include "support/test_support.h"

using namespace testing_support;

namespace {

void enterNameEntry() {
    freshStartedRun();
    loop.GameScene = SCENE_NAME_ENTRY;
    headless::clearMusicLog();
}

void pressKey(int key) {
    const KeyArea a = nameKeyArea(key);
    click((a.left + a.right) / 2, (a.top + a.bottom) / 2);
}

int letterKey(char c) { return c == 'z' ? KEY_Z : c - 'a'; }

void confirm() {
    mouse(600, 20, false);
    headless::setKey(Key::Enter, true);
    runTurns(1);
    headless::setKey(Key::Enter, false);
}

// The pixels of the goal text's cell in the last frame.
void goalCell(uint8_t* out) {
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 60; ++x) out[y * 60 + x] = presentedPixel(490 + x, 350 + y);
}

}  // namespace

TEST(FrontNameEntry, EveryKeyTypesItsLetterAtItsCorners) {
    for (int key = 0; key <= KEY_Z; ++key) {
        enterNameEntry();
        const KeyArea a = nameKeyArea(key);
        click(a.left, a.top);
        click(a.right, a.bottom);
        ASSERT_EQ(front.nameLength, 2) << key;
        EXPECT_EQ(front.nameBuffer[0], 'a' + key);
        EXPECT_EQ(front.nameBuffer[1], 'a' + key);
        // Just outside the area nothing is typed.
        click(a.left - 1, a.top);
        click(a.right + 1, a.bottom);
        click(a.left, a.top - 1);
        click(a.right, a.bottom + 1);
        EXPECT_EQ(front.nameLength, 2) << key;
    }
}

TEST(FrontNameEntry, SixLettersAtMostWhileBackStillWorks) {
    enterNameEntry();
    for (char c : {'k', 'a', 'b', 'u', 'z', 'y'}) pressKey(letterKey(c));
    EXPECT_EQ(front.nameLength, 6);
    EXPECT_STREQ(front.nameBuffer, "kabuzy");
    pressKey(letterKey('q'));
    pressKey(KEY_BLANK);
    EXPECT_EQ(front.nameLength, 6);
    EXPECT_STREQ(front.nameBuffer, "kabuzy");
    pressKey(KEY_BACK);
    EXPECT_EQ(front.nameLength, 5);
    EXPECT_STREQ(front.nameBuffer, "kabuz ");
    pressKey(letterKey('q'));
    EXPECT_STREQ(front.nameBuffer, "kabuzq");
    EXPECT_EQ(front.nameBuffer[6], '\0');
}

TEST(FrontNameEntry, DeletingLeavesBlanksThatEnterStores) {
    enterNameEntry();
    for (char c : {'a', 'b', 'c'}) pressKey(letterKey(c));
    pressKey(KEY_BACK);
    pressKey(KEY_BACK);
    EXPECT_EQ(front.nameLength, 1);
    confirm();
    EXPECT_STREQ(Player.playerName, "a  ");
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
}

TEST(FrontNameEntry, BackOnNothingWritesABlankAndEnterGivesTheDefaultName) {
    enterNameEntry();
    std::snprintf(Player.playerName, sizeof Player.playerName, "%s", "old");
    pressKey(KEY_BACK);
    pressKey(KEY_BACK);
    EXPECT_EQ(front.nameLength, 0);
    EXPECT_EQ(front.nameBuffer[0], ' ');
    confirm();
    EXPECT_STREQ(Player.playerName, "Mr.ピクル");
}

TEST(FrontNameEntry, ForwardTypesABlank) {
    enterNameEntry();
    pressKey(letterKey('x'));
    pressKey(KEY_BLANK);
    pressKey(letterKey('y'));
    EXPECT_STREQ(front.nameBuffer, "x y");
    confirm();
    EXPECT_STREQ(Player.playerName, "x y");
}

TEST(FrontNameEntry, AHeldLetterTypesOnceUntilReleasedOverIt) {
    enterNameEntry();
    const KeyArea a = nameKeyArea(letterKey('m'));
    mouse(a.left, a.top, true);
    runTurns(20);
    EXPECT_EQ(front.nameLength, 1);
    // Released away from the key: the latch stays set.
    mouse(600, 20, false);
    runTurns(1);
    mouse(a.left, a.top, true);
    runTurns(1);
    EXPECT_EQ(front.nameLength, 1);
    mouse(a.left, a.top, false);
    runTurns(1);
    mouse(a.left, a.top, true);
    runTurns(1);
    EXPECT_STREQ(front.nameBuffer, "mm");
}

TEST(FrontNameEntry, GoalButtonsAndArrowsActOnEveryFrame) {
    enterNameEntry();
    mouse(499, 300, true);
    runTurns(120);
    EXPECT_EQ(front.goalYears, 121);
    mouse(516, 312, true);
    runTurns(1000);
    EXPECT_EQ(front.goalYears, 999);
    // The up arrow and "▲" together add two a frame.
    front.goalYears = 10;
    headless::setKey(Key::Up, true);
    runTurns(3);
    EXPECT_EQ(front.goalYears, 16);
    mouse(600, 20, false);
    runTurns(2);
    EXPECT_EQ(front.goalYears, 18);
    headless::setKey(Key::Up, false);
    // Down: button and arrow, stopping at 1.
    mouse(516, 410, true);
    runTurns(5);
    EXPECT_EQ(front.goalYears, 13);
    headless::setKey(Key::Down, true);
    runTurns(2);
    EXPECT_EQ(front.goalYears, 9);
    runTurns(50);
    EXPECT_EQ(front.goalYears, 1);
    mouse(499, 395, false);
    runTurns(3);
    EXPECT_EQ(front.goalYears, 1);
    headless::setKey(Key::Down, false);
    // Up and down arrows together cancel.
    headless::setKey(Key::Up, true);
    headless::setKey(Key::Down, true);
    front.goalYears = 50;
    runTurns(4);
    EXPECT_EQ(front.goalYears, 50);
}

TEST(FrontNameEntry, GoalTextLagsOneFrame) {
    enterNameEntry();
    // A plain background, so that frames differ only by what is drawn.
    std::memset(devices.editSurface.pixels, 255, static_cast<size_t>(devices.editSurface.pitch) * 480);
    uint8_t five[60 * 16], six[60 * 16], shown[60 * 16];
    mouse(600, 20, false);
    front.goalYears = 5;
    runTurns(1);
    goalCell(five);
    front.goalYears = 6;
    runTurns(1);
    goalCell(six);
    ASSERT_NE(std::memcmp(five, six, sizeof five), 0);

    front.goalYears = 5;
    mouse(505, 305, true);  // "▲" for one frame
    runTurns(1);
    EXPECT_EQ(front.goalYears, 6);
    goalCell(shown);
    EXPECT_EQ(std::memcmp(shown, five, sizeof five), 0);
    mouse(600, 20, false);
    runTurns(1);
    goalCell(shown);
    EXPECT_EQ(std::memcmp(shown, six, sizeof six), 0);
}

TEST(FrontNameEntry, TypedLetterShowsOnTheSameFrame) {
    enterNameEntry();
    std::memset(devices.editSurface.pixels, 255, static_cast<size_t>(devices.editSurface.pitch) * 480);
    mouse(600, 20, false);
    runTurns(1);
    const uint8_t black = nearestPaletteIndex(0, 0, 0);
    auto inkInName = [&] {
        int ink = 0;
        for (int y = 70; y < 86; ++y)
            for (int x = 440; x < 520; ++x) ink += presentedPixel(x, y) == black;
        return ink;
    };
    EXPECT_EQ(inkInName(), 0);
    const KeyArea a = nameKeyArea(letterKey('w'));
    mouse(a.left, a.top, true);
    runTurns(1);
    EXPECT_GT(inkInName(), 0);
}

TEST(FrontNameEntry, BackgroundSlidesRightAndDownAndWraps) {
    enterNameEntry();
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            devices.editSurface.pixels[y * devices.editSurface.pitch + x] =
                static_cast<uint8_t>((x * 3 + y * 7) % 250);
    auto edit = [](int x, int y) { return devices.editSurface.pixels[y * devices.editSurface.pitch + x]; };
    mouse(630, 470, false);  // cursor out of the way
    runTurns(1);
    EXPECT_EQ(front.scrollX, 639);
    EXPECT_EQ(front.scrollY, 479);
    // Points clear of panels and texts.
    const int points[][2] = {{400, 5}, {0, 0}, {639, 479}, {400, 300}, {5, 475}};
    for (const auto& p : points) EXPECT_EQ(presentedPixel(p[0], p[1]), edit(p[0], p[1]));
    runTurns(1);
    for (const auto& p : points) {
        EXPECT_EQ(presentedPixel(p[0], p[1]), edit((p[0] + 639) % 640, (p[1] + 479) % 480))
            << p[0] << "," << p[1];
    }
    runTurns(98);  // 100 frames drawn: origin moved by 99
    for (const auto& p : points) {
        EXPECT_EQ(presentedPixel(p[0], p[1]), edit((p[0] + 640 - 99) % 640, (p[1] + 480 - 99) % 480));
    }
    runTurns(540);  // 640 frames: the horizontal offset has come round
    EXPECT_EQ(front.scrollX, 0);
    EXPECT_EQ(front.scrollY, 320);
    for (const auto& p : points) {
        EXPECT_EQ(presentedPixel(p[0], p[1]), edit((p[0] + 1) % 640, (p[1] + 480 - 159) % 480));
    }
}

TEST(FrontNameEntry, EnterStoresGoalAndSwitchesToTheGameMusic) {
    enterNameEntry();
    front.goalYears = 5;
    for (char c : {'p', 'i', 'k'}) pressKey(letterKey(c));
    confirm();
    EXPECT_STREQ(Player.playerName, "pik");
    EXPECT_STREQ(Player.goalYearsText, "5");
    EXPECT_EQ(Calendar.yearsLeft, 5);
    EXPECT_STREQ(session.yearsLeftText, "あと5年");
    EXPECT_EQ(loop.GameScene, SCENE_MARKET);
    ASSERT_EQ(headless::musicCommandCount(), 3);
    EXPECT_STREQ(headless::musicCommand(0), "Close WAV01");
    EXPECT_STREQ(headless::musicCommand(1), "Open data/main.mid Alias WAV01");
    EXPECT_STREQ(headless::musicCommand(2), "Play WAV01 from 0 notify");
}

TEST(FrontNameEntry, GoalOf999IsStoredWhole) {
    enterNameEntry();
    front.goalYears = 999;
    confirm();
    EXPECT_STREQ(Player.goalYearsText, "999");
    EXPECT_EQ(Calendar.yearsLeft, 999);
    EXPECT_STREQ(session.yearsLeftText, "あと999年");
}

TEST(FrontNameEntry, SecondNewGameKeepsTheNameAndTheGoal) {
    freshStartedRun();
    loop.GameScene = SCENE_TITLE_LOAD;
    runTurns(1);
    click(300, 300);
    click(300, 270);
    ASSERT_EQ(loop.GameScene, SCENE_NAME_ENTRY);
    for (char c : {'a', 'b'}) pressKey(letterKey(c));
    mouse(505, 305, true);
    runTurns(2);
    confirm();
    ASSERT_EQ(loop.GameScene, SCENE_MARKET);
    EXPECT_STREQ(Player.goalYearsText, "3");

    // Back to the title (as after a game over) and a new game again.
    std::memset(Player.playerName, 0, sizeof Player.playerName);
    loop.GameScene = SCENE_TITLE_LOAD;
    runTurns(1);
    click(300, 300);
    // The entry's latch is still set from the first game's press: the cursor
    // has to pass over it with the button up before a press counts again.
    click(300, 270);
    EXPECT_EQ(loop.GameScene, SCENE_TITLE_MENU);
    click(300, 270);
    ASSERT_EQ(loop.GameScene, SCENE_NAME_ENTRY);
    EXPECT_STREQ(front.nameBuffer, "ab");
    EXPECT_EQ(front.nameLength, 2);
    EXPECT_EQ(front.goalYears, 3);
    runTurns(1);
    saveScreen("front_name_entry_second");
    confirm();
    EXPECT_STREQ(Player.playerName, "ab");
    EXPECT_STREQ(Player.goalYearsText, "3");
}

namespace {

struct LabelSpan {
    int left, right;  // pixels, inclusive
};

// Where each of the 28 labels falls when its row is drawn at x = 50 in the game
// font, indexed like the keys.
void keyboardLabelSpans(LabelSpan* spans) {
    const char* rows[6] = {
        "ａ        ｂ        ｃ       ｄ        ｅ", "ｆ        ｇ        ｈ        ｉ        ｊ",
        "ｋ        ｌ        ｍ        ｎ        ｏ", "ｐ        ｑ        ｒ        ｓ        ｔ",
        "ｕ        ｖ        ｗ        ｘ        ｙ", "ｚ        戻る      進む",
    };
    const int sixthRow[3] = {KEY_Z, KEY_BACK, KEY_BLANK};
    for (int row = 0; row < 6; ++row) {
        const char* text = rows[row];
        const int length = static_cast<int>(std::strlen(text));
        int label = 0;
        for (int pos = 0; pos < length;) {
            if (text[pos] == ' ') {
                ++pos;
                continue;
            }
            int end = pos;
            while (end < length && text[end] != ' ') end += 2;  // double-byte letters
            const int key = row < 5 ? row * 5 + label : sixthRow[label];
            const int left = 50 + textWidth(text, pos);
            spans[key] = {left, left + textWidth(text + pos, end - pos) - 1};
            ++label;
            pos = end;
        }
    }
}

// Whether at least half of the label stands over its key.
bool labelOnKey(const LabelSpan& span, int key) {
    const KeyArea a = nameKeyArea(key);
    const int overlap = std::min(span.right, a.right) - std::max(span.left, a.left) + 1;
    return 2 * overlap >= span.right - span.left + 1;
}

}  // namespace

// The labels of the first three columns and of the sixth row, and the frame
// with the hit areas outlined in red (screens/front_name_entry_keys.png).
TEST(FrontNameEntry, KeyboardLabelsOfTheLeftColumnsLieOnTheirKeys) {
    enterNameEntry();
    LabelSpan spans[NAME_KEYS];
    keyboardLabelSpans(spans);
    for (int key = 0; key < NAME_KEYS; ++key) {
        if (key < KEY_Z && key % 5 >= 3) continue;
        EXPECT_TRUE(labelOnKey(spans[key], key)) << "key " << key << " drawn at x " << spans[key].left
                                                 << " to " << spans[key].right;
    }
    mouse(600, 20, false);
    runTurns(1);
    saveScreen("front_name_entry");

    static uint8_t frame[SCREEN_WIDTH * SCREEN_HEIGHT];
    std::memcpy(frame, headless::presentedPixels(), sizeof frame);
    const uint8_t red = nearestPaletteIndex(255, 0, 0);
    for (int key = 0; key < NAME_KEYS; ++key) {
        const KeyArea a = nameKeyArea(key);
        for (int x = a.left; x <= a.right; ++x) {
            frame[a.top * SCREEN_WIDTH + x] = red;
            frame[a.bottom * SCREEN_WIDTH + x] = red;
        }
        for (int y = a.top; y <= a.bottom; ++y) {
            frame[y * SCREEN_WIDTH + a.left] = red;
            frame[y * SCREEN_WIDTH + a.right] = red;
        }
    }
    const std::string path = std::string(KABU_BINARY_DIR) + "/screens/front_name_entry_keys.png";
    writePng(path.c_str(), frame, SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_WIDTH, headless::presentedPalette());
}

// Every label on its key. The rows fit a font whose blank is half a full-width
// letter (6.5 pixels at 13); with whole-pixel blanks of 7 the fourth and fifth
// columns drift right of their keys. Enable once text advances keep fractions.
TEST(FrontNameEntry, KeyboardLabelsAllLieOnTheirKeys) {
    enterNameEntry();
    LabelSpan spans[NAME_KEYS];
    keyboardLabelSpans(spans);
    for (int key = 0; key < NAME_KEYS; ++key) {
        EXPECT_TRUE(labelOnKey(spans[key], key)) << "key " << key << " drawn at x " << spans[key].left
                                                 << " to " << spans[key].right;
    }
}
