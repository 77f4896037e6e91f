// SPDX-License-Identifier: GPL-2.0-or-later
// The seam: what a platform's backend gives the core. Showing a frame, input,
// the clock, music, window events, waiting and the file steps. Every member
// has a default that does nothing (no picture, a stopped clock, no input, no
// files), so a backend fills in what it has and no caller checks for null.
// The SDL2, Win32 and browser backends drive the real thing; the headless one
// plays a script on a virtual clock.
#pragma once
#include <cstdint>

#include "core/devices.h"
#include "platform/file_steps.h"

enum class EventKind { None, Escape, Close, MusicDone };

struct PlatformEvent {
    EventKind kind = EventKind::None;
    int code = 0;  // MusicDone: 1 when the piece ended by itself
};

// Window events waiting for the main loop, oldest first; when it is full the
// newest is dropped. Every backend keeps its events in one.
struct EventQueue {
    static constexpr int CAPACITY = 64;
    PlatformEvent events[CAPACITY];
    int head = 0;
    int count = 0;
};
void queueEvent(EventQueue& queue, EventKind kind, int code = 0);
// Takes the oldest event; false when none waits.
bool takeEvent(EventQueue& queue, PlatformEvent& event);

struct InputState {
    Point cursor{0, 0};
    bool leftButton = false;
    bool enter = false;
    bool up = false;
    bool down = false;
    bool f = false;
};

struct Backend {
    // Shows 640 x 480 index pixels through a palette and waits for the display.
    void (*present)(const uint8_t* pixels, int pitch, const PaletteEntry* palette) =
        [](const uint8_t*, int, const PaletteEntry*) {};
    // The one clock: microseconds since the program started (virtual in the
    // headless backend). Pacing, turn counting and every random seed read it.
    uint64_t (*micros)() = [] { return uint64_t{0}; };
    void (*readInput)(InputState& state) = [](InputState& state) { state = InputState{}; };
    // Takes the next waiting event; false when none waits.
    bool (*nextEvent)(PlatformEvent& event) = [](PlatformEvent&) { return false; };
    // Plays a media-control command (open, play, close).
    void (*music)(const char* command) = [](const char*) {};
    // Leaves the full-screen display (the shutdown).
    void (*restoreDisplay)() = [] {};
    // Sleeps until an event waits or `timeoutMs` have passed; true when an
    // event waits. Without it the loop goes straight on.
    bool (*waitEvent)(uint32_t timeoutMs) = [](uint32_t) { return false; };
    // Whether a surface lock succeeds (the headless backend can make locks
    // fail, as a lost display would).
    bool (*lockAllowed)() = [] { return true; };
    // The file system the game's files live on.
    FileSteps files = NO_FILE_STEPS;
};

// Makes `backend` the current one; null goes back to the default, which has
// nothing (no picture, no input, a stopped clock, no files).
void setBackend(const Backend* backend);
const Backend& backend();

// Music command parsing shared by the backends: "Open <file> Alias WAV01",
// "Play WAV01 from 0 notify", "Close WAV01".
enum class MusicVerb { Unknown, Open, Play, Close };
struct MusicCommand {
    MusicVerb verb = MusicVerb::Unknown;
    char file[128] = {};
};
MusicCommand parseMusicCommand(const char* command);
