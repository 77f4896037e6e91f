// SPDX-License-Identifier: GPL-2.0-or-later
// Palette, locks, present, input, clock and music on top of the backend.
#include "core/devices.h"

#include <cstring>

#include "platform/backend.h"

DeviceState devices;

namespace {
constinit const Backend NO_BACKEND{};
const Backend* currentBackend = &NO_BACKEND;
// Nearest-colour answers for the few colours the scenes ask for.
struct NearestCache {
    uint32_t rgb[16] = {};
    uint8_t index[16] = {};
    int count = 0;
};
// What lies behind the scenes' view of the devices.
struct ScreenState {
    PaletteEntry palette[256] = {};  // the colours the screen shows
    InputState input;
    NearestCache nearest;
};
ScreenState screen;
}  // namespace

void setBackend(const Backend* b) { currentBackend = b != nullptr ? b : &NO_BACKEND; }
const Backend& backend() { return *currentBackend; }

void setDisplayPalette(const PaletteEntry* entries) {
    std::memcpy(screen.palette, entries, sizeof screen.palette);
    screen.nearest.count = 0;
}

void getDisplayPalette(PaletteEntry* entries) { std::memcpy(entries, screen.palette, sizeof screen.palette); }

uint8_t nearestPaletteIndex(uint8_t red, uint8_t green, uint8_t blue) {
    const uint32_t rgb = (uint32_t{red} << 16) | (uint32_t{green} << 8) | blue;
    for (int i = 0; i < screen.nearest.count; ++i) {
        if (screen.nearest.rgb[i] == rgb) return screen.nearest.index[i];
    }
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const int dr = screen.palette[i].red - red;
        const int dg = screen.palette[i].green - green;
        const int db = screen.palette[i].blue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    const int slot = screen.nearest.count < 16 ? screen.nearest.count++ : 15;
    screen.nearest.rgb[slot] = rgb;
    screen.nearest.index[slot] = static_cast<uint8_t>(best);
    return static_cast<uint8_t>(best);
}

uint8_t* lockSurface(Surface& s, int* pitch) {
    if (!s.held || s.pixels == nullptr) return nullptr;
    if (!currentBackend->lockAllowed()) return nullptr;
    *pitch = s.pitch;
    return s.pixels;
}

void unlockSurface(Surface&) {}

void flip() {
    if (!devices.primarySurface.held || !devices.backBuffer.held) return;
    uint8_t* shown = devices.backBuffer.pixels;
    devices.backBuffer.pixels = devices.primarySurface.pixels;
    devices.primarySurface.pixels = shown;
    currentBackend->present(devices.primarySurface.pixels, devices.primarySurface.pitch, screen.palette);
}

void getCursorPos() {
    currentBackend->readInput(screen.input);
    devices.cursorPos = screen.input.cursor;
}

bool keyDown(Key key) {
    currentBackend->readInput(screen.input);
    switch (key) {
        case Key::LeftButton: return screen.input.leftButton;
        case Key::Enter: return screen.input.enter;
        case Key::Up: return screen.input.up;
        case Key::Down: return screen.input.down;
        case Key::F: return screen.input.f;
    }
    return false;
}

uint32_t timeGetTime() { return static_cast<uint32_t>(currentBackend->micros() / 1000); }

uint64_t clockMicros() { return currentBackend->micros(); }

void mciSendString(const char* command) {
    currentBackend->music(command);
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
    screen = ScreenState{};
}
