// SPDX-License-Identifier: GPL-2.0-or-later
#include "frontend/staff_roll.h"

#include <cstring>

#include "frontend/wave.h"
#include "core/draw_context.h"
#include "core/scenes.h"

int32_t rollFrames = 0;
int32_t photoIndex = 0;
int32_t photoY = -120;
int32_t photoSliding = 1;
int32_t photosActive = 1;
int32_t photoPhase = 0;
int32_t waveAmplitude = 0;
int32_t captionBrightness = 0;
int32_t scrollActive = 1;
float scrollOffset = 480.0f;
int32_t creditsX = 50;
int32_t noticeOn = 0;
int32_t noticeDone = 0;
int32_t noticeFrames = 0;
int32_t noticeBrightness = 255;
int32_t logoRight = 0;
int32_t creditBrightness = 0;
int32_t rollEnterLatch = 0;

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
    return photoIndex >= 0 && photoIndex < PHOTO_COUNT ? photoIndex : 0;
}

// A photograph comes down to its resting place; once there its caption fades in.
void slidePhoto() {
    if (photoSliding == 1) photoY += 4;
    if (photoY > PHOTO_REST_Y && photoSliding == 1) {
        photoY = PHOTO_REST_Y;
        captionBrightness += 2;
        if (captionBrightness > 255) captionBrightness = 255;
        if (scrollActive == 1) {
            const char(&caption)[2][30] = photoCaptions[currentPhoto()];
            greyText(450, 240, caption[0], 30, captionBrightness);
            greyText(450, 260, caption[1], 30, captionBrightness);
        }
    }
}

// The photograph whole, its scatter set-up, or one scatter step.
void drawPhoto() {
    const Rect& rect = photoRects[currentPhoto()];
    if (photoPhase == 0) {
        blitClipped(devices.backBuffer, PHOTO_X, photoY, devices.syasinSurface, rect, false);
    } else if (photoPhase == 1) {
        bltFast(devices.workSurface, PHOTO_X, photoY, devices.syasinSurface, rect, false);
        waveInit(PHOTO_X, photoY, PHOTO_X, photoY, 1, 1, rect, devices.backBuffer, devices.workSurface);
    } else if (photoPhase == 2) {
        waveStep(waveAmplitude);
        waveAmplitude += 3;
        if (waveAmplitude > 100) {
            waveAmplitude = 0;
            photoPhase = 0;
            photoIndex += 1;
            if (photoIndex > PHOTO_COUNT - 1) {
                photosActive = 0;
                photoIndex = 0;
            }
            photoY = PHOTO_START_Y;
            photoSliding = 1;
            captionBrightness = 0;
        }
    }
}

void drawCredits() {
    getDC();
    setTextColor(255, 255, 255);
    setBkMode(BkMode::Transparent);
    if (scrollActive == 1) {
        const int32_t top = static_cast<int32_t>(scrollOffset);
        for (int k = 0; k < STAFF_LINE_COUNT; ++k) {
            const int32_t y = LINE_SPACING * k + top;
            // Lines wholly above or below the screen leave no pixel.
            if (y <= -LINE_SPACING || y >= SCREEN_HEIGHT) continue;
            textOut(creditsX, y, staffLines[k], static_cast<int>(strnlen(staffLines[k], 100)));
        }
    }
    releaseDC();
}

void scrollCredits() {
    scrollOffset -= 1.0f;
    if (STAFF_LINE_COUNT * LINE_SPACING + scrollOffset <= 0.0f) {
        scrollActive = 0;
        scrollOffset = 0.0f;
        photosActive = 0;
        if (noticeDone == 0) noticeOn = 1;
    }
}

void showNotice() {
    if (noticeOn != 1) return;
    noticeFrames += 1;
    if (noticeFrames > 90) {
        noticeBrightness -= 5;
        if (noticeBrightness < 0) {
            noticeBrightness = 0;
            noticeOn = 0;
            noticeDone = 1;
        }
    }
    greyText(160, 160, noticeLines[0], 64, noticeBrightness);
    greyText(195, 180, noticeLines[1], 64, noticeBrightness);
}

void showLogo() {
    if (noticeDone != 1) return;
    creditBrightness += 1;
    if (creditBrightness > 255) creditBrightness = 255;
    logoRight += 3;
    if (logoRight > LOGO_RIGHT_MAX) logoRight = LOGO_RIGHT_MAX;
    bltFast(devices.backBuffer, 100, 100, devices.spriteSheet, {LOGO_LEFT, LOGO_TOP, logoRight, LOGO_BOTTOM}, true);
    greyText(450, 460, productionLine, 64, creditBrightness);
}

}  // namespace

void restartStaffRoll() {
    rollFrames = 0;
    photoIndex = 0;
    photoY = PHOTO_START_Y;
    photoSliding = 1;
    photosActive = 1;
    photoPhase = 0;
    waveAmplitude = 0;
    captionBrightness = 0;
    scrollActive = 1;
    scrollOffset = 480.0f;
    creditsX = 50;
    noticeOn = 0;
    noticeDone = 0;
    noticeFrames = 0;
    noticeBrightness = 255;
    logoRight = 0;
    creditBrightness = 0;
    rollEnterLatch = 0;
}

void sceneStaffRoll() {
    fillRect(devices.backBuffer, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}, 0);
    rollFrames += 1;

    slidePhoto();
    if (rollFrames > (photoIndex + 1) * PHOTO_FRAMES) {
        photoSliding = 0;
        if (photoPhase == 0) photoPhase = 1;
    }
    if (photosActive == 1) drawPhoto();

    drawCredits();
    scrollCredits();
    showNotice();
    showLogo();

    if (!keyDown(Key::Enter)) {
        rollEnterLatch = 0;
    } else if (rollEnterLatch == 0) {
        photoIndex = 0;
        scrollOffset = 480.0f;
        photoY = PHOTO_START_Y;
        rollFrames = 0;
        mciSendString("Close WAV01");
        loop.GameScene = SCENE_AWARD;
        rollEnterLatch = 1;
    }
    flip();
}
