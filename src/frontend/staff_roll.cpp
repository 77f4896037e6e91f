// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/staff_roll.h"

#include <cstring>

#include "core/draw_context.h"
#include "core/scenes.h"
#include "frontend/wave.h"

StaffRollState staffRoll;

namespace {

constexpr int PHOTO_X = 400;
constexpr int PHOTO_REST_Y = 100;
constexpr int PHOTO_START_Y = -120;
constexpr int PHOTO_FRAMES = 255;
constexpr int LINE_SPACING = 20;

// Draws a text of at most `size` bytes in a grey level, transparent.
void greyText(int x, int y, const char* text, int size, int32_t level) {
    const uint8_t grey = static_cast<uint8_t>(level);
    getDC();
    setBkMode(BkMode::Transparent);
    setTextColor(grey, grey, grey);
    textOut(x, y, text, static_cast<int>(strnlen(text, size)));
    releaseDC();
}

int32_t currentPhoto() {
    return staffRoll.photoIndex >= 0 && staffRoll.photoIndex < PHOTO_COUNT ? staffRoll.photoIndex : 0;
}

// A photograph comes down to its resting place; once there its caption fades in.
void slidePhoto() {
    if (staffRoll.photoSliding == 1) staffRoll.photoY += 4;
    if (staffRoll.photoY > PHOTO_REST_Y && staffRoll.photoSliding == 1) {
        staffRoll.photoY = PHOTO_REST_Y;
        staffRoll.captionBrightness += 2;
        if (staffRoll.captionBrightness > 255) staffRoll.captionBrightness = 255;
        if (staffRoll.scrollActive == 1) {
            const char(&caption)[2][30] = photoCaptions[currentPhoto()];
            greyText(450, 240, caption[0], 30, staffRoll.captionBrightness);
            greyText(450, 260, caption[1], 30, staffRoll.captionBrightness);
        }
    }
}

// The photograph whole, its scatter set-up, or one scatter step.
void drawPhoto() {
    const Rect& rect = photoRects[currentPhoto()];
    if (staffRoll.photoPhase == 0) {
        blitClipped(devices.backBuffer, PHOTO_X, staffRoll.photoY, devices.syasinSurface, rect, false);
    } else if (staffRoll.photoPhase == 1) {
        bltFast(devices.workSurface, PHOTO_X, staffRoll.photoY, devices.syasinSurface, rect, false);
        waveInit(PHOTO_X, staffRoll.photoY, PHOTO_X, staffRoll.photoY, 1, 1, rect, devices.backBuffer,
                 devices.workSurface);
    } else if (staffRoll.photoPhase == 2) {
        waveStep(staffRoll.waveAmplitude);
        staffRoll.waveAmplitude += 3;
        if (staffRoll.waveAmplitude > 100) {
            staffRoll.waveAmplitude = 0;
            staffRoll.photoPhase = 0;
            staffRoll.photoIndex += 1;
            if (staffRoll.photoIndex > PHOTO_COUNT - 1) {
                staffRoll.photosActive = 0;
                staffRoll.photoIndex = 0;
            }
            staffRoll.photoY = PHOTO_START_Y;
            staffRoll.photoSliding = 1;
            staffRoll.captionBrightness = 0;
        }
    }
}

void drawCredits() {
    getDC();
    setTextColor(255, 255, 255);
    setBkMode(BkMode::Transparent);
    if (staffRoll.scrollActive == 1) {
        const int32_t top = static_cast<int32_t>(staffRoll.scrollOffset);
        for (int k = 0; k < STAFF_LINE_COUNT; ++k) {
            const int32_t y = LINE_SPACING * k + top;
            // Lines wholly above or below the screen leave no pixel.
            if (y <= -LINE_SPACING || y >= SCREEN_HEIGHT) continue;
            textOut(staffRoll.creditsX, y, staffLines[k], static_cast<int>(strnlen(staffLines[k], 100)));
        }
    }
    releaseDC();
}

void scrollCredits() {
    staffRoll.scrollOffset -= 1.0f;
    if (STAFF_LINE_COUNT * LINE_SPACING + staffRoll.scrollOffset <= 0.0f) {
        staffRoll.scrollActive = 0;
        staffRoll.scrollOffset = 0.0f;
        staffRoll.photosActive = 0;
        if (staffRoll.noticeDone == 0) staffRoll.noticeOn = 1;
    }
}

void showNotice() {
    if (staffRoll.noticeOn != 1) return;
    staffRoll.noticeFrames += 1;
    if (staffRoll.noticeFrames > 90) {
        staffRoll.noticeBrightness -= 5;
        if (staffRoll.noticeBrightness < 0) {
            staffRoll.noticeBrightness = 0;
            staffRoll.noticeOn = 0;
            staffRoll.noticeDone = 1;
        }
    }
    greyText(160, 160, noticeLines[0], 64, staffRoll.noticeBrightness);
    greyText(195, 180, noticeLines[1], 64, staffRoll.noticeBrightness);
}

void showLogo() {
    if (staffRoll.noticeDone != 1) return;
    staffRoll.creditBrightness += 1;
    if (staffRoll.creditBrightness > 255) staffRoll.creditBrightness = 255;
    staffRoll.logoRight += 3;
    if (staffRoll.logoRight > LOGO_RIGHT_MAX) staffRoll.logoRight = LOGO_RIGHT_MAX;
    bltFast(devices.backBuffer, 100, 100, devices.spriteSheet,
            {LOGO_LEFT, LOGO_TOP, staffRoll.logoRight, LOGO_BOTTOM}, true);
    greyText(450, 460, productionLine, 64, staffRoll.creditBrightness);
}

}  // namespace

void restartStaffRoll() { staffRoll = StaffRollState{}; }

void sceneStaffRoll() {
    fillRect(devices.backBuffer, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, 0);
    staffRoll.rollFrames += 1;

    slidePhoto();
    if (staffRoll.rollFrames > (staffRoll.photoIndex + 1) * PHOTO_FRAMES) {
        staffRoll.photoSliding = 0;
        if (staffRoll.photoPhase == 0) staffRoll.photoPhase = 1;
    }
    if (staffRoll.photosActive == 1) drawPhoto();

    drawCredits();
    scrollCredits();
    showNotice();
    showLogo();

    if (!keyDown(Key::Enter)) {
        staffRoll.rollEnterLatch = 0;
    } else if (staffRoll.rollEnterLatch == 0) {
        staffRoll.photoIndex = 0;
        staffRoll.scrollOffset = 480.0f;
        staffRoll.photoY = PHOTO_START_Y;
        staffRoll.rollFrames = 0;
        mciSendString("Close WAV01");
        loop.GameScene = SCENE_AWARD;
        staffRoll.rollEnterLatch = 1;
    }
    flip();
}
