// SPDX-License-Identifier: GPL-2.0-or-later
// Palette, locks, present, input, clock and music on top of the backend.
#include "core/devices.h"

#include <cstring>

#include "platform/backend.h"

DeviceState devices;

namespace {
const Backend* currentBackend = nullptr;
PaletteEntry screenPalette[256];  // the colours the screen shows
InputState input;

// Nearest-colour answers for the few colours the scenes ask for.
struct NearestCache {
    uint32_t rgb[16];
    uint8_t index[16];
    int count;
} nearestCache;
}  // namespace

void setBackend(const Backend* b) { currentBackend = b; }
const Backend& backend() { return *currentBackend; }

void setDisplayPalette(const PaletteEntry* entries) {
    std::memcpy(screenPalette, entries, sizeof screenPalette);
    nearestCache.count = 0;
}

void getDisplayPalette(PaletteEntry* entries) { std::memcpy(entries, screenPalette, sizeof screenPalette); }

uint8_t nearestPaletteIndex(uint8_t red, uint8_t green, uint8_t blue) {
    const uint32_t rgb = (uint32_t{red} << 16) | (uint32_t{green} << 8) | blue;
    for (int i = 0; i < nearestCache.count; ++i) {
        if (nearestCache.rgb[i] == rgb) return nearestCache.index[i];
    }
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const int dr = screenPalette[i].red - red;
        const int dg = screenPalette[i].green - green;
        const int db = screenPalette[i].blue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    const int slot = nearestCache.count < 16 ? nearestCache.count++ : 15;
    nearestCache.rgb[slot] = rgb;
    nearestCache.index[slot] = static_cast<uint8_t>(best);
    return static_cast<uint8_t>(best);
}

uint8_t* lockSurface(Surface& s, int* pitch) {
    if (!s.held || s.pixels == nullptr) return nullptr;
    if (currentBackend != nullptr && currentBackend->lockAllowed != nullptr && !currentBackend->lockAllowed()) {
        return nullptr;
    }
    *pitch = s.pitch;
    return s.pixels;
}

void unlockSurface(Surface&) {}

void flip() {
    if (!devices.primarySurface.held || !devices.backBuffer.held) return;
    uint8_t* shown = devices.backBuffer.pixels;
    devices.backBuffer.pixels = devices.primarySurface.pixels;
    devices.primarySurface.pixels = shown;
    if (currentBackend != nullptr) {
        currentBackend->present(devices.primarySurface.pixels, devices.primarySurface.pitch, screenPalette);
    }
}

void getCursorPos() {
    if (currentBackend != nullptr) currentBackend->readInput(input);
    devices.cursorPos = input.cursor;
}

bool keyDown(Key key) {
    if (currentBackend != nullptr) currentBackend->readInput(input);
    switch (key) {
        case Key::LeftButton: return input.leftButton;
        case Key::Enter: return input.enter;
        case Key::Up: return input.up;
        case Key::Down: return input.down;
        case Key::F: return input.f;
    }
    return false;
}

uint32_t timeGetTime() {
    return currentBackend != nullptr ? static_cast<uint32_t>(currentBackend->micros() / 1000) : 0;
}

uint64_t clockMicros() { return currentBackend != nullptr ? currentBackend->micros() : 0; }

void mciSendString(const char* command) {
    if (currentBackend != nullptr) currentBackend->music(command);
}

bool cursorIn(int left, int top, int right, int bottom) {
    return devices.cursorPos.x >= left && devices.cursorPos.x <= right && devices.cursorPos.y >= top &&
           devices.cursorPos.y <= bottom;
}

bool pressLatch(int& latch, int left, int top, int right, int bottom) {
    if (!cursorIn(left, top, right, bottom)) return false;
    if (!keyDown(Key::LeftButton)) {
        latch = 0;
        return false;
    }
    if (latch != 0) return false;
    latch = 1;
    return true;
}

void queueEvent(EventQueue& queue, EventKind kind, int code) {
    if (queue.count == EventQueue::CAPACITY) return;
    queue.events[(queue.head + queue.count) % EventQueue::CAPACITY] = PlatformEvent{kind, code};
    ++queue.count;
}

bool takeEvent(EventQueue& queue, PlatformEvent& event) {
    if (queue.count == 0) return false;
    event = queue.events[queue.head];
    queue.head = (queue.head + 1) % EventQueue::CAPACITY;
    --queue.count;
    return true;
}

MusicCommand parseMusicCommand(const char* command) {
    MusicCommand parsed;
    if (std::strncmp(command, "Open ", 5) == 0) {
        const char* file = command + 5;
        const char* alias = std::strstr(file, " Alias ");
        if (alias == nullptr) return parsed;
        const size_t length = static_cast<size_t>(alias - file);
        if (length == 0 || length >= sizeof parsed.file) return parsed;
        std::memcpy(parsed.file, file, length);
        parsed.verb = MusicVerb::Open;
    } else if (std::strncmp(command, "Play ", 5) == 0) {
        parsed.verb = MusicVerb::Play;
    } else if (std::strncmp(command, "Close ", 6) == 0) {
        parsed.verb = MusicVerb::Close;
    }
    return parsed;
}

void resetPlatformState() {
    devices = DeviceState{};
    std::memset(screenPalette, 0, sizeof screenPalette);
    input = InputState{};
    nearestCache.count = 0;
}
