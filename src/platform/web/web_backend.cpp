// SPDX-License-Identifier: GPL-2.0-or-later
// The browser backend on emscripten's html5.h: keys, mouse and touch from the
// page's events, the picture converted through the palette into a 640 x 480
// canvas, the clock from performance.now(), music handed to the page.
#include "platform/web/web_backend.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

#include "platform/backend.h"
#include "core/files.h"
#include "platform/posix/posix_file_steps.h"
#include "platform/shared/midi_length.h"
#include "core/scenes.h"

// The page's side (web_glue.js).
extern "C" {
void webShowFrame(const uint8_t* rgba, int32_t scene, double buildMs, double showStartMs);
void webScreenRect(double* rect);
void webMusicOpen(const char* piece, double endSample);
void webMusicPlay();
void webMusicClose();
}

namespace {
constexpr int SAMPLE_RATE = 44100;
constexpr double LONGEST_GAP_MS = 250.0;

// Clock. Inside a step: anchorMicros plus the real time since anchorMs.
double anchorMs = 0;
uint64_t anchorMicros = 0;
uint64_t lastMicros = 0;
double stepEndMs = 0;
bool inStep = false;

// Input. A press shows for at least one presented frame even when it was
// let go before the game looked (a quick tap, a key pressed and released
// between two animation frames).
struct Held {
    bool down;
    bool pending;
};
Held button, enter, up, down, fKey;
Held* const HELD[] = {&button, &enter, &up, &down, &fKey};
Point cursor{0, 0};
int touchId = -1;

EventQueue events;

uint32_t frameRgba[SCREEN_WIDTH * SCREEN_HEIGHT];
int32_t presents = 0;
double turnStartMs = 0;

uint8_t midiBytes[64 * 1024];

// savedat/ lives on emscripten's in-memory file system, through the POSIX
// steps. Every step that may change it is counted; the page stores the folder
// when the count has moved.
int32_t folderChanges = 0;
const FileSteps webFileSteps{
    [](const char* path, void* buffer, size_t size) { return posixFileSteps.readFile(path, buffer, size); },
    [](const char* path) { return posixFileSteps.nameKind(path); },
    [](const char* path) { return ++folderChanges, posixFileSteps.createNew(path); },
    [](FileHandle file, const void* bytes, size_t size) { return ++folderChanges, posixFileSteps.write(file, bytes, size); },
    [](FileHandle file) { return ++folderChanges, posixFileSteps.flush(file); },
    [](FileHandle file) { return ++folderChanges, posixFileSteps.close(file); },
    [](const char* from, const char* to) { return ++folderChanges, posixFileSteps.rename(from, to); },
    [](const char* path) { return ++folderChanges, posixFileSteps.remove(path); },
    [](const char* path) { return ++folderChanges, posixFileSteps.syncFolder(path); },
    [](const char* path) { return ++folderChanges, posixFileSteps.makeFolder(path); },
};

uint64_t micros() {
    if (!inStep) return lastMicros;
    const double real = emscripten_get_now() - anchorMs;
    const uint64_t now = anchorMicros + static_cast<uint64_t>(real > 0 ? real * 1000.0 : 0.0);
    if (now > lastMicros) lastMicros = now;
    return lastMicros;
}

void press(Held& held, bool isDown) {
    if (isDown && !held.down) held.pending = true;
    held.down = isDown;
}

bool shown(const Held& held) { return held.down || held.pending; }

void present(const uint8_t* pixels, int pitch, const PaletteEntry* palette) {
    const double showStart = emscripten_get_now();
    uint32_t colors[256];
    for (int i = 0; i < 256; ++i) {
        colors[i] = 0xff000000u | uint32_t{palette[i].blue} << 16 | uint32_t{palette[i].green} << 8 | palette[i].red;
    }
    uint32_t* out = frameRgba;
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        const uint8_t* row = pixels + y * pitch;
        for (int x = 0; x < SCREEN_WIDTH; ++x) out[x] = colors[row[x]];
        out += SCREEN_WIDTH;
    }
    ++presents;
    webShowFrame(reinterpret_cast<const uint8_t*>(frameRgba), loop.GameScene, showStart - turnStartMs, showStart);
    // Released presses have now been seen.
    for (Held* held : HELD) held->pending = false;
}

void readInput(InputState& state) {
    state.cursor = cursor;
    state.leftButton = shown(button);
    state.enter = shown(enter);
    state.up = shown(up);
    state.down = shown(down);
    state.f = shown(fKey);
}

bool nextEvent(PlatformEvent& event) { return takeEvent(events, event); }

// "data/title.mid" is played from the page's rendering of title.mid; its end
// of track is where the rendering loops.
void music(const char* command) {
    const MusicCommand parsed = parseMusicCommand(command);
    switch (parsed.verb) {
        case MusicVerb::Open: {
            const FileRead read = readWholeFile(parsed.file, midiBytes, sizeof midiBytes);
            const int64_t end = read.outcome == ReadOutcome::Read
                                    ? midiEndSample(midiBytes, read.length, SAMPLE_RATE)
                                    : MIDI_LENGTH_UNKNOWN;
            const char* slash = std::strrchr(parsed.file, '/');
            char piece[sizeof parsed.file];
            std::strcpy(piece, slash != nullptr ? slash + 1 : parsed.file);
            char* dot = std::strrchr(piece, '.');
            if (dot != nullptr) *dot = '\0';
            webMusicOpen(piece, static_cast<double>(end));
            break;
        }
        case MusicVerb::Play:
            webMusicPlay();
            break;
        case MusicVerb::Close:
            webMusicClose();
            break;
        case MusicVerb::Unknown:
            break;
    }
}

const Backend webBackend{.present = present,
                         .micros = micros,
                         .readInput = readInput,
                         .nextEvent = nextEvent,
                         .music = music,
                         .files = webFileSteps};

// The picture pixel under a point of the page, clamped to the picture.
Point pictureAt(double clientX, double clientY) {
    double rect[4];
    webScreenRect(rect);
    if (rect[2] <= 0 || rect[3] <= 0) return cursor;
    int x = static_cast<int>((clientX - rect[0]) * SCREEN_WIDTH / rect[2]);
    int y = static_cast<int>((clientY - rect[1]) * SCREEN_HEIGHT / rect[3]);
    x = x < 0 ? 0 : x >= SCREEN_WIDTH ? SCREEN_WIDTH - 1 : x;
    y = y < 0 ? 0 : y >= SCREEN_HEIGHT ? SCREEN_HEIGHT - 1 : y;
    return Point{x, y};
}

EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* event, void*) {
    const bool isDown = type == EMSCRIPTEN_EVENT_KEYDOWN;
    const char* code = event->code;
    if (std::strcmp(code, "Escape") == 0) {
        if (isDown && !event->repeat) queueEvent(events, EventKind::Escape);
        return EM_TRUE;
    }
    if (std::strcmp(code, "Enter") == 0 || std::strcmp(code, "NumpadEnter") == 0) {
        // Alt+Enter is the page's full-screen switch.
        if (event->altKey) return EM_FALSE;
        press(enter, isDown);
    } else if (std::strcmp(code, "ArrowUp") == 0) {
        press(up, isDown);
    } else if (std::strcmp(code, "ArrowDown") == 0) {
        press(down, isDown);
    } else if (std::strcmp(code, "KeyF") == 0) {
        if (event->ctrlKey || event->metaKey || event->altKey) return EM_FALSE;
        press(fKey, isDown);
    } else {
        return EM_FALSE;
    }
    return EM_TRUE;
}

EM_BOOL onMouse(int type, const EmscriptenMouseEvent* event, void*) {
    cursor = pictureAt(event->clientX, event->clientY);
    if (event->button != 0) return EM_FALSE;
    if (type == EMSCRIPTEN_EVENT_MOUSEDOWN) press(button, true);
    if (type == EMSCRIPTEN_EVENT_MOUSEUP) press(button, false);
    return EM_FALSE;
}

// A touch is a click where the finger is: the first finger down moves the
// cursor and holds the button until it lifts.
EM_BOOL onTouch(int type, const EmscriptenTouchEvent* event, void*) {
    for (int i = 0; i < event->numTouches; ++i) {
        const EmscriptenTouchPoint& touch = event->touches[i];
        if (!touch.isChanged) continue;
        if (type == EMSCRIPTEN_EVENT_TOUCHSTART && touchId < 0) {
            touchId = touch.identifier;
            cursor = pictureAt(touch.clientX, touch.clientY);
            press(button, true);
        } else if (touch.identifier == touchId) {
            cursor = pictureAt(touch.clientX, touch.clientY);
            if (type == EMSCRIPTEN_EVENT_TOUCHEND || type == EMSCRIPTEN_EVENT_TOUCHCANCEL) {
                touchId = -1;
                press(button, false);
            }
        }
    }
    return EM_TRUE;
}

// Leaving the page lets go of everything held.
EM_BOOL onBlur(int, const EmscriptenFocusEvent*, void*) {
    for (Held* held : HELD) held->down = false;
    touchId = -1;
    return EM_FALSE;
}

void registerCallbacks() {
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, nullptr, EM_TRUE, onKey);
    emscripten_set_keyup_callback(window, nullptr, EM_TRUE, onKey);
    emscripten_set_mousedown_callback("#screen", nullptr, EM_TRUE, onMouse);
    emscripten_set_mousemove_callback(window, nullptr, EM_TRUE, onMouse);
    emscripten_set_mouseup_callback(window, nullptr, EM_TRUE, onMouse);
    emscripten_set_touchstart_callback("#screen", nullptr, EM_TRUE, onTouch);
    emscripten_set_touchmove_callback("#screen", nullptr, EM_TRUE, onTouch);
    emscripten_set_touchend_callback("#screen", nullptr, EM_TRUE, onTouch);
    emscripten_set_touchcancel_callback("#screen", nullptr, EM_TRUE, onTouch);
    emscripten_set_blur_callback(window, nullptr, EM_TRUE, onBlur);
}
bool registered = false;
}  // namespace

void webBackendInstall() {
    anchorMs = emscripten_get_now();
    anchorMicros = 0;
    lastMicros = 0;
    stepEndMs = anchorMs;
    inStep = true;  // start-up reads a live clock
    button = enter = up = down = fKey = Held{false, false};
    touchId = -1;
    events = EventQueue{};
    presents = 0;
    if (!registered) registerCallbacks();
    registered = true;
    setBackend(&webBackend);
}

void webStepBegin() {
    const double now = emscripten_get_now();
    double gap = now - stepEndMs;
    if (gap > LONGEST_GAP_MS) gap = LONGEST_GAP_MS;
    if (gap < 0) gap = 0;
    anchorMicros = lastMicros + static_cast<uint64_t>(gap * 1000.0);
    anchorMs = now;
    inStep = true;
}

void webTurnBegin() { turnStartMs = emscripten_get_now(); }

void webStepEnd() {
    micros();
    stepEndMs = emscripten_get_now();
    inStep = false;
}

int32_t webPresentCount() { return presents; }

int32_t webFolderChanges() { return folderChanges; }
