// SPDX-License-Identifier: GPL-2.0-or-later
// The browser backend on emscripten: keys from html5.h, the pointer (mouse or
// finger) and the page's touch keys from the page, the picture scaled by the
// desktop's sharp scaler into a canvas of the page's device pixels, the clock
// from performance.now(), music handed to the page.
#include "platform/web/web_backend.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdlib>
#include <cstring>

#include "core/files.h"
#include "core/scenes.h"
#include "platform/backend.h"
#include "platform/posix/posix_file_steps.h"
#include "platform/shared/midi_length.h"
#include "platform/shared/picture_scale.h"

// The page's side (web_glue.js).
extern "C" {
void webShowFrame(const uint32_t* canvas, int32_t width, int32_t height, const int32_t* bands, int32_t bandCount,
                  int32_t scene, double buildMs, double showStartMs);
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

// After a finger lifts, the game sees the button up where it lifted for one
// frame, then the cursor goes where the game does not draw it (a copy that
// crosses the screen's edge draws nothing), until the mouse moves again.
// The F key acts where the finger last was: over the fast-forward button, as
// a keyboard player's F acts under the mouse.
constexpr Point PARKED{SCREEN_WIDTH - 1, SCREEN_HEIGHT - 1};
bool parkWanted = false;
bool parked = false;
int readsSinceLift = 0;
Point lastTouch{0, 0};

EventQueue events;

// The picture as last shown and its palette: a present converts and scales
// only the rows that differ from it.
uint8_t shownPixels[SCREEN_WIDTH * SCREEN_HEIGHT];
PaletteEntry shownPalette[256];
uint32_t shownColors[256];
bool havePicture = false;

// The canvas: the page's picture area in device pixels, the picture in the
// viewport the desktop would give a window of that size, black around it.
int canvasWidth = 0;
int canvasHeight = 0;
uint32_t* canvas = nullptr;
Viewport view{0, 0, 0, 0};
AxisMap columnMap;
AxisMap rowMap;
bool canvasFresh = false;  // nothing sent since the canvas was made: all of it goes

// Canvas rectangles sent to the page, x, y, width, height each.
constexpr int MAX_BANDS = 24;
int32_t bands[MAX_BANDS * 4];
int bandCount = 0;

uint8_t pictureRgba[SCREEN_WIDTH * SCREEN_HEIGHT * 4];

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

// ---- Picture ----------------------------------------------------------------

void addBand(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    if (bandCount == MAX_BANDS) {
        // Out of bands: the last one reaches down to this one.
        int32_t* last = &bands[(MAX_BANDS - 1) * 4];
        last[3] = y + height - last[1];
        return;
    }
    int32_t* band = &bands[bandCount++ * 4];
    band[0] = x;
    band[1] = y;
    band[2] = width;
    band[3] = height;
}

// Scales the viewport rows that show a changed picture row (a seam row shows
// two) and notes them as bands for the page.
void scaleChangedRows(const bool* changed) {
    int first = -1;
    for (int y = 0; y <= rowMap.length; ++y) {
        bool dirty = false;
        if (y < rowMap.length) {
            const int source = rowMap.source[y];
            dirty = changed[source] || (rowMap.nextShare[y] != 0 && changed[source + 1]);
        }
        if (dirty && first < 0) first = y;
        if (!dirty && first >= 0) {
            scalePictureRows(canvas, canvasWidth, view, columnMap, rowMap, shownPixels, SCREEN_WIDTH, shownColors,
                             first, y);
            addBand(view.x, view.y + first, view.width, y - first);
            first = -1;
        }
    }
}

// Sends the bands to the page outside a present (scene -1: no frame of the
// game's).
void showCanvas() { webShowFrame(canvas, canvasWidth, canvasHeight, bands, bandCount, -1, 0, 0); }

void present(const uint8_t* pixels, int pitch, const PaletteEntry* palette) {
    const double showStart = emscripten_get_now();
    bool paletteChanged = !havePicture;
    for (int i = 0; i < 256 && !paletteChanged; ++i) {
        paletteChanged = palette[i].red != shownPalette[i].red || palette[i].green != shownPalette[i].green ||
                         palette[i].blue != shownPalette[i].blue;
    }
    if (paletteChanged) {
        std::memcpy(shownPalette, palette, sizeof shownPalette);
        for (int i = 0; i < 256; ++i) {
            shownColors[i] = 0xff000000u | uint32_t{palette[i].blue} << 16 | uint32_t{palette[i].green} << 8 |
                             palette[i].red;
        }
    }
    bool changed[SCREEN_HEIGHT];
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        const uint8_t* row = pixels + y * pitch;
        uint8_t* kept = shownPixels + y * SCREEN_WIDTH;
        changed[y] = paletteChanged || std::memcmp(row, kept, SCREEN_WIDTH) != 0;
        if (changed[y]) std::memcpy(kept, row, SCREEN_WIDTH);
    }
    havePicture = true;
    bandCount = 0;
    if (canvas != nullptr) {
        if (canvasFresh) {
            scalePicture(canvas, canvasWidth, view, columnMap, rowMap, shownPixels, SCREEN_WIDTH, shownColors);
            addBand(0, 0, canvasWidth, canvasHeight);
            canvasFresh = false;
        } else {
            scaleChangedRows(changed);
        }
    }
    ++presents;
    webShowFrame(canvas, canvasWidth, canvasHeight, bands, bandCount, loop.GameScene, showStart - turnStartMs,
                 showStart);
    // Released presses have now been seen; a lifted finger's cursor goes once
    // the game has seen the button up.
    for (Held* held : HELD) held->pending = false;
    if (parkWanted && readsSinceLift > 0) {
        parkWanted = false;
        parked = true;
        cursor = PARKED;
    }
}

void readInput(InputState& state) {
    state.cursor = cursor;
    state.leftButton = shown(button);
    state.enter = shown(enter);
    state.up = shown(up);
    state.down = shown(down);
    state.f = shown(fKey);
    if (parked && state.f) state.cursor = lastTouch;
    if (parkWanted && !state.leftButton) ++readsSinceLift;
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

// The picture pixel under a canvas point given in device pixels, fractions
// kept, clamped to the picture.
Point pictureAt(double canvasX, double canvasY) {
    if (view.width <= 0 || view.height <= 0) return cursor;
    return windowToPicture(view, canvasX, canvasY);
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

// Leaving the page lets go of everything held.
EM_BOOL onBlur(int, const EmscriptenFocusEvent*, void*) {
    for (Held* held : HELD) held->down = false;
    return EM_FALSE;
}

void registerCallbacks() {
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, nullptr, EM_TRUE, onKey);
    emscripten_set_keyup_callback(window, nullptr, EM_TRUE, onKey);
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
    parkWanted = parked = false;
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

extern "C" {

// The page's picture area is `width` x `height` device pixels: the canvas
// takes that size, and the picture shown is scaled into it at once.
EMSCRIPTEN_KEEPALIVE void webSetView(int32_t width, int32_t height) {
    width = width < 1 ? 1 : width > MAX_VIEW_SIZE ? MAX_VIEW_SIZE : width;
    height = height < 1 ? 1 : height > MAX_VIEW_SIZE ? MAX_VIEW_SIZE : height;
    if (canvas != nullptr && width == canvasWidth && height == canvasHeight) return;
    std::free(canvas);
    canvas = nullptr;
    // A page too large for the memory gets a smaller canvas, stretched.
    while (canvas == nullptr && width > 0 && height > 0) {
        canvas = static_cast<uint32_t*>(std::malloc(static_cast<size_t>(width) * height * sizeof(uint32_t)));
        if (canvas == nullptr) width /= 2, height /= 2;
    }
    if (canvas == nullptr) {
        canvasWidth = canvasHeight = 0;
        view = Viewport{0, 0, 0, 0};
        return;
    }
    canvasWidth = width;
    canvasHeight = height;
    for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) canvas[i] = 0xff000000u;
    view = viewportFor(width, height, ScaleMode::Sharp);
    buildAxisMap(columnMap, SCREEN_WIDTH, view.width);
    buildAxisMap(rowMap, SCREEN_HEIGHT, view.height);
    canvasFresh = true;
    bandCount = 0;
    if (havePicture) {
        scalePicture(canvas, canvasWidth, view, columnMap, rowMap, shownPixels, SCREEN_WIDTH, shownColors);
        canvasFresh = false;
    }
    addBand(0, 0, canvasWidth, canvasHeight);
    showCanvas();
}

// The pointer at a canvas point in device pixels. kind: 0 moved, 1 pressed,
// 2 let go, 3 lost (as let go). touch: 1 for a finger, 0 for a mouse.
EMSCRIPTEN_KEEPALIVE void webPointer(int32_t kind, double canvasX, double canvasY, int32_t touch) {
    const Point at = pictureAt(canvasX, canvasY);
    if (touch == 0) {
        cursor = at;
        parkWanted = parked = false;
        if (kind == 1) press(button, true);
        if (kind >= 2) press(button, false);
        return;
    }
    cursor = at;
    lastTouch = at;
    parked = false;
    if (kind == 1) {
        parkWanted = false;
        press(button, true);
    } else if (kind >= 2) {
        press(button, false);
        parkWanted = true;
        readsSinceLift = 0;
    }
}

// A key of the page's touch controls: 0 Enter, 1 up, 2 down, 3 F.
EMSCRIPTEN_KEEPALIVE void webKey(int32_t key, int32_t isDown) {
    Held* const KEYS[] = {&enter, &up, &down, &fKey};
    if (key >= 0 && key < 4) press(*KEYS[key], isDown != 0);
}

// Where the picture lies in the canvas: x, y, width, height.
EMSCRIPTEN_KEEPALIVE const int32_t* webView() {
    static int32_t rect[4];
    rect[0] = view.x;
    rect[1] = view.y;
    rect[2] = view.width;
    rect[3] = view.height;
    return rect;
}

// The shown picture as 640 x 480 RGBA (for the page's test hook).
EMSCRIPTEN_KEEPALIVE const uint8_t* webPicture() {
    for (int i = 0; i < SCREEN_WIDTH * SCREEN_HEIGHT; ++i) {
        const PaletteEntry& color = shownPalette[shownPixels[i]];
        uint8_t* out = &pictureRgba[i * 4];
        out[0] = color.red;
        out[1] = color.green;
        out[2] = color.blue;
        out[3] = 255;
    }
    return pictureRgba;
}
}
