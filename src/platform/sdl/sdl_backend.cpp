// SPDX-License-Identifier: GPL-2.0-or-later
// The SDL2 backend: a window over the whole desktop or a resizable one, the
// picture scaled into its framebuffer, input in picture coordinates, the clock and music.
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

#include <thread>

#include "core/main_loop.h"
#include "platform/backend.h"
#include "platform/posix/posix_file_steps.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_music.h"
#include "platform/sdl/sdl_window.h"
#include "platform/shared/frame_ticks.h"
#include "platform/shared/options.h"

namespace {
SDL_Window* window = nullptr;
Uint32 musicEventType = 0;
FrameTicks frameTicks;

// The clock starts with the program.
const uint64_t clockStart = SDL_GetPerformanceCounter();

uint64_t micros() { return countsToMicros(SDL_GetPerformanceCounter() - clockStart, SDL_GetPerformanceFrequency()); }

const PacedDisplay display{micros, sdlShowFrame,
                           [](uint64_t wait) { SDL_Delay(static_cast<Uint32>(wait / 1000)); }};

void present(const uint8_t* pixels, int pitch, const PaletteEntry* palette) {
    pacedPresent(frameTicks, display, pixels, pitch, palette);
}


// The state as of the main loop's last look at the event queue, made in the
// same turn before the scene ran: no second trip to the X connection.
void readInput(InputState& input) {
    int wx = 0;
    int wy = 0;
    const Uint32 buttons = SDL_GetMouseState(&wx, &wy);
    input.cursor = windowToPicture(currentViewport(), wx, wy);
    input.leftButton = (buttons & SDL_BUTTON_LMASK) != 0;
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    input.enter = (keys[SDL_SCANCODE_RETURN] != 0 || keys[SDL_SCANCODE_KP_ENTER] != 0) && !altHeld();
    input.up = keys[SDL_SCANCODE_UP] != 0;
    input.down = keys[SDL_SCANCODE_DOWN] != 0;
    input.f = keys[SDL_SCANCODE_F] != 0;
}

// The events the game handles. The window's own (Alt+Enter, resizing) are
// handled here; every other one only updates SDL's input state.
bool gameEvent(const SDL_Event& event, PlatformEvent& out) {
    if (handleWindowEvent(window, event)) return false;
    if (event.type == SDL_QUIT) {
        out = PlatformEvent{EventKind::Close, 0};
        return true;
    }
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) {
        out = PlatformEvent{EventKind::Escape, 0};
        return true;
    }
    if (musicEventType != 0 && event.type == musicEventType) {
        out = PlatformEvent{EventKind::MusicDone, event.user.code};
        return true;
    }
    return false;
}

// An event taken off the queue while waiting, kept for nextEvent.
bool eventKept = false;
PlatformEvent keptEvent;

bool nextEvent(PlatformEvent& out) {
    if (eventKept) {
        eventKept = false;
        out = keptEvent;
        return true;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (gameEvent(event, out)) return true;
    }
    return false;
}

// Sleeps in the X connection (or SDL's wait) until a game event comes or the
// time is up; mouse motion and other events wake it only to be absorbed.
bool waitEvent(uint32_t timeoutMs) {
    if (eventKept) return true;
    const Uint32 deadline = SDL_GetTicks() + timeoutMs;
    for (;;) {
        const int32_t left = static_cast<int32_t>(deadline - SDL_GetTicks());
        if (left <= 0) return false;
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, left) == 0) return false;
        if (gameEvent(event, keptEvent)) {
            eventKept = true;
            return true;
        }
    }
}

void restoreDisplay() {
    if (window != nullptr) SDL_SetWindowFullscreen(window, 0);
}

const Backend sdlBackend{.present = present,
                         .micros = micros,
                         .readInput = readInput,
                         .nextEvent = nextEvent,
                         .music = musicCommand,
                         .restoreDisplay = restoreDisplay,
                         .waitEvent = waitEvent,
                         .files = posixFileSteps};
}  // namespace

void sdlShowFrame(const uint8_t* pixels, int pitch, const PaletteEntry* palette) {
    if (window != nullptr) showFrameInWindow(window, pixels, pitch, palette);
}

bool sdlBackendOpen() {
    resetDisplayState();
    if (!startVideo()) return false;
    window = openGameWindow(programOptions.windowed);
    if (window == nullptr) return false;
    SDL_ShowCursor(SDL_DISABLE);
    SDL_RaiseWindow(window);
    clearWindow(window);
    eventKept = false;
    musicEventType = SDL_RegisterEvents(1);
    openMusic(musicEventType);
    startFrameTicks(frameTicks, micros());
    setBackend(&sdlBackend);
    return true;
}

bool sdlBackendOpenAndStart() {
    // The start-up reads the clock for its seed.
    setBackend(&sdlBackend);
    std::thread loading(startup);
    const bool opened = sdlBackendOpen();
    loading.join();
    return opened;
}

void sdlBackendClose() {
    closeMusic();
    if (window != nullptr) SDL_DestroyWindow(window);
    window = nullptr;
    SDL_Quit();
}
