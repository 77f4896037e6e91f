// SPDX-License-Identifier: GPL-2.0-or-later
// What a backend gives the platform layer: showing a frame, input, the clock,
// music and window events. The SDL2 backend drives a real window; the headless
// one plays a script on a virtual clock.
#pragma once
#include <cstdint>

#include "core/devices.h"

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
    void (*present)(const uint8_t* pixels, int pitch, const PaletteEntry* palette);
    // The one clock: microseconds since the program started (virtual in the
    // headless backend). Pacing, turn counting and every random seed read it.
    uint64_t (*micros)();
    void (*readInput)(InputState& state);
    // Takes the next waiting event; false when none waits.
    bool (*nextEvent)(PlatformEvent& event);
    // Plays a media-control command (open, play, close).
    void (*music)(const char* command);
    // Whether locks succeed (tests may make them fail).
    bool (*lockAllowed)();
    // Leaves the full-screen display (the shutdown); may be null.
    void (*restoreDisplay)();
    // Sleeps until an event waits or `timeoutMs` have passed; true when an
    // event waits. May be null (the loop then goes straight on).
    bool (*waitEvent)(uint32_t timeoutMs);
};

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
