// SPDX-License-Identifier: GPL-2.0-or-later
// The surfaces with their storage, fixed for the whole run.
#include <cstring>
#include <initializer_list>

#include "core/devices.h"

namespace {
constexpr int PAGE = SCREEN_WIDTH * SCREEN_HEIGHT;
uint8_t pageA[PAGE];
uint8_t pageB[PAGE];
uint8_t gameMainPixels[PAGE];
uint8_t hyoshoPixels[PAGE];
uint8_t syasinPixels[500 * 500];
uint8_t ukePixels[PAGE];
uint8_t kounyuPixels[PAGE];
uint8_t shienPixels[PAGE];
uint8_t spritePixels[800 * 726];
uint8_t overPixels[PAGE];
uint8_t editPixels[PAGE];
uint8_t workPixels[PAGE];
uint8_t rankingPixels[PAGE];
uint8_t titlePixels[PAGE];
uint8_t graphPixels[PAGE];

void create(Surface& s, uint8_t* storage, int width, int height) {
    s.width = width;
    s.height = height;
    s.pitch = width;
    s.pixels = storage;
    s.colorKeyed = false;
    s.held = true;
}

uint8_t* storageOf(const Surface& s) {
    if (&s == &devices.titleSurface) return titlePixels;
    if (&s == &devices.graphSurface) return graphPixels;
    return nullptr;
}
}  // namespace

void createStartupSurfaces() {
    create(devices.primarySurface, pageA, SCREEN_WIDTH, SCREEN_HEIGHT);
    create(devices.backBuffer, pageB, SCREEN_WIDTH, SCREEN_HEIGHT);
    create(devices.gameMainSurface, gameMainPixels, SCREEN_WIDTH, SCREEN_HEIGHT);
    create(devices.hyoshoSurface, hyoshoPixels, SCREEN_WIDTH, SCREEN_HEIGHT);
    create(devices.syasinSurface, syasinPixels, 500, 500);
    create(devices.ukeSurface, ukePixels, SCREEN_WIDTH, SCREEN_HEIGHT);
    create(devices.kounyuSurface, kounyuPixels, SCREEN_WIDTH, SCREEN_HEIGHT);
    create(devices.shienSurface, shienPixels, SCREEN_WIDTH, SCREEN_HEIGHT);
    create(devices.spriteSheet, spritePixels, 800, 726);
    create(devices.overSurface, overPixels, SCREEN_WIDTH, SCREEN_HEIGHT);
    create(devices.editSurface, editPixels, SCREEN_WIDTH, SCREEN_HEIGHT);
    create(devices.workSurface, workPixels, SCREEN_WIDTH, SCREEN_HEIGHT);
    create(devices.rankingSurface, rankingPixels, SCREEN_WIDTH, SCREEN_HEIGHT);
    std::memset(workPixels, 0, sizeof workPixels);
    devices.spriteSheet.colorKeyed = true;
}

void createSceneSurface(Surface& s) {
    uint8_t* storage = storageOf(s);
    if (storage == nullptr || s.held) return;
    create(s, storage, SCREEN_WIDTH, SCREEN_HEIGHT);
    std::memset(storage, 0, PAGE);
}

void releaseSceneSurface(Surface& s) { s = Surface{}; }

void releaseAllSurfaces() {
    for (Surface* s :
         {&devices.primarySurface, &devices.backBuffer, &devices.gameMainSurface, &devices.hyoshoSurface,
          &devices.syasinSurface, &devices.ukeSurface, &devices.kounyuSurface, &devices.shienSurface,
          &devices.spriteSheet, &devices.overSurface, &devices.editSurface, &devices.workSurface,
          &devices.rankingSurface, &devices.titleSurface, &devices.graphSurface}) {
        *s = Surface{};
    }
}

// The storage back to zero; the surfaces themselves are part of the devices' reset.
void resetSurfaces() {
    for (uint8_t* storage : {pageA, pageB, gameMainPixels, hyoshoPixels, ukePixels, kounyuPixels, shienPixels,
                             overPixels, editPixels, workPixels, rankingPixels, titlePixels, graphPixels}) {
        std::memset(storage, 0, PAGE);
    }
    std::memset(syasinPixels, 0, sizeof syasinPixels);
    std::memset(spritePixels, 0, sizeof spritePixels);
}
