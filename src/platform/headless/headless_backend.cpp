// SPDX-License-Identifier: GPL-2.0-or-later
// The scripted backend for tests and tools.
#include <cstring>

#include "platform/headless/headless.h"

// The files of the system the scripts, tests and tools run on.
#ifdef _WIN32
#include "platform/win32/win32_file_steps.h"
#else
#include "platform/posix/posix_file_steps.h"
#endif

namespace {
#ifdef _WIN32
const FileSteps& HOST_FILE_STEPS = win32FileSteps;
#else
const FileSteps& HOST_FILE_STEPS = posixFileSteps;
#endif
constexpr int MUSIC_LOG = 256;

struct HeadlessState {
    uint32_t now;
    uint32_t presentAdvance;
    InputState input;
    EventQueue events;
    int presents;
    uint8_t frame[SCREEN_WIDTH * SCREEN_HEIGHT];
    PaletteEntry framePalette[256];
    char music[MUSIC_LOG][128];
    int musicCount;
    bool locksFail;
};
HeadlessState state;

void present(const uint8_t* pixels, int pitch, const PaletteEntry* palette) {
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        std::memcpy(state.frame + y * SCREEN_WIDTH, pixels + y * pitch, SCREEN_WIDTH);
    }
    std::memcpy(state.framePalette, palette, sizeof state.framePalette);
    ++state.presents;
    state.now += state.presentAdvance;
}

uint64_t micros() { return uint64_t{state.now} * 1000; }

void readInput(InputState& input) { input = state.input; }

bool nextEvent(PlatformEvent& event) { return takeEvent(state.events, event); }

void music(const char* command) {
    char* slot = state.music[state.musicCount % MUSIC_LOG];
    std::strncpy(slot, command, 127);
    slot[127] = '\0';
    ++state.musicCount;
}

bool lockAllowed() { return !state.locksFail; }

// The virtual clock does not move while the loop waits: the caller moves it.
bool waitEvent(uint32_t) {
    return state.events.count > 0;
}

const Backend headlessBackend{.present = present,
                              .micros = micros,
                              .readInput = readInput,
                              .nextEvent = nextEvent,
                              .music = music,
                              .waitEvent = waitEvent,
                              .lockAllowed = lockAllowed,
                              .files = HOST_FILE_STEPS};
}  // namespace

namespace headless {

void install() {
    std::memset(static_cast<void*>(&state), 0, sizeof state);
    setBackend(&headlessBackend);
}

void setTime(uint32_t ms) { state.now = ms; }
void advanceTime(uint32_t ms) { state.now += ms; }
void setPresentAdvance(uint32_t ms) { state.presentAdvance = ms; }

void setCursor(int x, int y) { state.input.cursor = Point{x, y}; }
void setButton(bool down) { state.input.leftButton = down; }

void setKey(Key key, bool down) {
    switch (key) {
        case Key::LeftButton: state.input.leftButton = down; break;
        case Key::Enter: state.input.enter = down; break;
        case Key::Up: state.input.up = down; break;
        case Key::Down: state.input.down = down; break;
        case Key::F: state.input.f = down; break;
    }
}

void releaseAll() {
    const Point cursor = state.input.cursor;
    state.input = InputState{};
    state.input.cursor = cursor;
}

void pushEvent(EventKind kind, int code) { queueEvent(state.events, kind, code); }

int presentCount() { return state.presents; }
const uint8_t* presentedPixels() { return state.frame; }
const PaletteEntry* presentedPalette() { return state.framePalette; }

int musicCommandCount() { return state.musicCount < MUSIC_LOG ? state.musicCount : MUSIC_LOG; }

const char* musicCommand(int index) {
    const int count = musicCommandCount();
    if (index < 0 || index >= count) return "";
    const int first = state.musicCount - count;
    return state.music[(first + index) % MUSIC_LOG];
}

void clearMusicLog() { state.musicCount = 0; }

void setLocksFail(bool fail) { state.locksFail = fail; }

}  // namespace headless
