// SPDX-License-Identifier: GPL-2.0-or-later
// The game's devices, as the scenes see them whatever the platform: 8-bit
// surfaces, the display palette, copies, direct pixel access, input polling,
// the clock, music and present. Scenes use only this header and
// draw_context.h; the backend underneath (platform/backend.h) is chosen by
// the program entry or the test.
#pragma once
#include <cstdint>

constexpr int SCREEN_WIDTH = 640;
constexpr int SCREEN_HEIGHT = 480;
constexpr uint8_t COLOR_KEY = 254;

// left, top, right, bottom; right and bottom exclusive.
struct Rect {
    int left, top, right, bottom;

    bool operator==(const Rect&) const = default;
};

struct Point {
    int32_t x = 0, y = 0;

    bool operator==(const Point&) const = default;
};

struct PaletteEntry {
    uint8_t red, green, blue, flags;

    bool operator==(const PaletteEntry&) const = default;
};

// An 8-bit surface. Pixels live in storage given once at start-up; `held` tells
// whether the surface exists (title and graph surfaces come and go).
struct Surface {
    int width = 0;
    int height = 0;
    int pitch = 0;
    uint8_t* pixels = nullptr;
    bool colorKeyed = false;  // source colour key 254 set
    bool held = false;

    bool operator==(const Surface&) const = default;
};

// The surfaces, the palettes and the cursor. Every field holds its
// program-start value (no surface held, black palettes, cursor at 0, 0) until
// the start-up and the game change it.
struct DeviceState {
    Surface primarySurface;   // the visible page
    Surface backBuffer;       // the page being drawn
    Surface gameMainSurface;  // data/gamemain.BMP
    Surface hyoshoSurface;    // data/hyosho.BMP
    Surface syasinSurface;    // data/syasin.BMP (500 x 500)
    Surface ukeSurface;       // data/uke.BMP
    Surface kounyuSurface;    // data/kounyu.BMP
    Surface shienSurface;     // data/shien.BMP
    Surface spriteSheet;      // data/char.BMP (800 x 726), colour key 254
    Surface overSurface;      // data/over.BMP
    Surface editSurface;      // data/edit.BMP
    Surface workSurface;      // scratch, zeroed at creation
    Surface rankingSurface;   // data/ranking.BMP
    Surface titleSurface;     // created by the title load scene
    Surface graphSurface;     // created by the graph load scene

    PaletteEntry displayPalette[256] = {};
    PaletteEntry targetPalette[256] = {};
    Point cursorPos;

    bool operator==(const DeviceState&) const = default;
};
extern DeviceState devices;

// Creates the start-up surfaces in order (primary with back buffer, then the
// off-screen ones) and sets the sprite sheet's colour key.
void createStartupSurfaces();
// The title and graph surfaces: create gives a zeroed 640 x 480 surface (a
// second create while held keeps the one surface), release forgets it.
void createSceneSurface(Surface& s);
void releaseSceneSurface(Surface& s);
// Releases every surface (the shutdown).
void releaseAllSurfaces();

// Fill a rectangle with one palette index (clipped to the surface).
void fillRect(Surface& dst, Rect r, uint8_t index);
// Copy a source rectangle to (x, y): opaque, or skipping colour-key pixels when
// `keyed`. A copy that does not fit wholly in the destination, or whose source
// is empty or leaves the source surface, draws nothing.
void bltFast(Surface& dst, int x, int y, const Surface& src, Rect srcRect, bool keyed);
// Stretched copy with the source colour key; draws nothing unless both
// rectangles lie wholly in their surfaces and are non-empty.
void bltStretchKeyed(Surface& dst, Rect dstRect, const Surface& src, Rect srcRect);
// The copy clipped to the 640 x 480 screen: a position left of or above the
// screen cuts the rectangle's left or top edge, one past the right or bottom
// edge cuts the other; wholly off screen draws nothing.
void blitClipped(Surface& dst, int x, int y, const Surface& src, Rect srcRect, bool keyed);

// Direct pixel access. Returns nullptr when the lock fails (the caller skips
// its drawing); the pitch is stored in *pitch.
uint8_t* lockSurface(Surface& s, int* pitch);
void unlockSurface(Surface& s);

// The display palette: set the 256 colours of the screen, read them back.
void setDisplayPalette(const PaletteEntry* entries);
void getDisplayPalette(PaletteEntry* entries);
// Nearest entry of the display palette to a colour.
uint8_t nearestPaletteIndex(uint8_t red, uint8_t green, uint8_t blue);

// Loads an 8-bit bitmap file into a surface and gives the display palette the
// file's colours (then displayPalette and targetPalette). A missing or
// unreadable file changes nothing.
void loadBitmapToSurface(Surface& s, const char* fileName);

// Present: the back buffer is shown and the pages swap.
void flip();

// Input polling.
enum class Key { LeftButton, Enter, Up, Down, F };
void getCursorPos();  // refreshes cursorPos
bool keyDown(Key key);

// Milliseconds since the program started, by the backend's clock (frame
// pacing and the random seeds; wraps as unsigned).
uint32_t timeGetTime();
// The same clock in microseconds (measurements).
uint64_t clockMicros();
// A scene that returns early because its next frame is not due yet tells the
// main loop when it is (platform clock); the loop sleeps until then or until
// an event, and counts the turns a spinning loop would have made meanwhile.
void idleUntil(uint32_t dueAt);

// Media-control command strings ("Open data/main.mid Alias WAV01", ...).
void mciSendString(const char* command);

// The press latch of a hit area (inclusive bounds). Returns true on the frame
// on which the button is seen down over the area with the latch clear.
bool pressLatch(int& latch, int left, int top, int right, int bottom);
bool cursorIn(int left, int top, int right, int bottom);

// The cursor sprite (sheet rectangle 9, 0, 26, 26) at cursorPos with the colour key.
void drawCursorSprite();
