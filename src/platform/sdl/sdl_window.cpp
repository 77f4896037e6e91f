// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/sdl/sdl_window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/devices.h"
#include "platform/shared/picture_scale.h"

namespace {
char problem[512];
// Without a window manager, asking for full screen only makes SDL wait
// 100 ms for an answer that never comes; a borderless window over the
// desktop is then the full screen.
bool windowManager = true;

bool windowManagerRuns(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return true;
    Display* display = info.info.x11.display;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return false;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                                          &format, &count, &after, &data);
    const bool found = status == Success && data != nullptr && count == 1;
    if (data != nullptr) XFree(data);
    return found;
}

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

// SDL falls back to drivers that show nothing when no display opens; only
// someone who asked for them by name gets them.
bool invisibleDriver(const char* driver) {
    if (driver == nullptr) return true;
    if (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0) return false;
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    return asked == nullptr || std::strstr(asked, driver) == nullptr;
}

void describeMissingDisplay() {
    if (isSet("DISPLAY")) {
        std::snprintf(
            problem, sizeof problem,
            "cannot open the display '%s'; start the game from a desktop session or set DISPLAY to a "
            "running X server",
            std::getenv("DISPLAY"));
    } else if (isSet("WAYLAND_DISPLAY")) {
        std::snprintf(problem, sizeof problem,
                      "cannot open the Wayland display '%s'; start the game from a desktop session",
                      std::getenv("WAYLAND_DISPLAY"));
    } else {
        std::snprintf(problem, sizeof problem,
                      "no display: DISPLAY is not set; start the game from a desktop session, or set DISPLAY "
                      "(for example under Xvfb)");
    }
}

void windowedSize(int& width, int& height) {
    SDL_Rect usable{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    SDL_GetDisplayUsableBounds(0, &usable);
    const int factor = windowedFactor(usable.w, usable.h);
    width = factor * SCREEN_WIDTH;
    height = factor * SCREEN_HEIGHT;
}

void desktopSize(int& width, int& height) {
    SDL_DisplayMode desktop{};
    width = SCREEN_WIDTH;
    height = SCREEN_HEIGHT;
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0) {
        width = desktop.w;
        height = desktop.h;
    }
}

void makeWindowed(SDL_Window* window) {
    int width = 0;
    int height = 0;
    windowedSize(width, height);
    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowBordered(window, SDL_TRUE);
    SDL_SetWindowResizable(window, SDL_TRUE);
    SDL_SetWindowSize(window, width, height);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

// Full screen covers the desktop even where no window manager does it.
void makeFullscreen(SDL_Window* window) {
    int width = 0;
    int height = 0;
    desktopSize(width, height);
    SDL_SetWindowResizable(window, SDL_FALSE);
    SDL_SetWindowBordered(window, SDL_FALSE);
    SDL_SetWindowPosition(window, 0, 0);
    SDL_SetWindowSize(window, width, height);
    if (windowManager) SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
}
}  // namespace

const char* videoProblem() { return problem; }

bool showMessageBox(const char* text) {
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Kabusim", text, nullptr) == 0;
}

bool startVideo() {
    problem[0] = '\0';
    // Unless told otherwise, only the display systems this session has are
    // tried: a failed try may print its own complaint, and the last resorts
    // show nothing.
    const bool chosen = !isSet("SDL_VIDEODRIVER");
    if (chosen) {
        const bool x11 = isSet("DISPLAY");
        const bool wayland = isSet("WAYLAND_DISPLAY");
        SDL_SetHint(SDL_HINT_VIDEODRIVER, x11 && wayland ? "x11,wayland"
                                          : x11          ? "x11"
                                          : wayland      ? "wayland"
                                                         : "kmsdrm");
    }
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        if (chosen) {
            describeMissingDisplay();
        } else {
            const char* display = std::getenv("DISPLAY");
            std::snprintf(
                problem, sizeof problem,
                "the video system cannot start (%s); check SDL_VIDEODRIVER ('%s') and DISPLAY ('%s'), or "
                "unset SDL_VIDEODRIVER",
                SDL_GetError(), std::getenv("SDL_VIDEODRIVER"), display != nullptr ? display : "");
        }
        return false;
    }
    if (invisibleDriver(SDL_GetCurrentVideoDriver())) {
        describeMissingDisplay();
        return false;
    }
    return true;
}

SDL_Window* openGameWindow(bool windowed) {
    // The picture goes straight into the window's framebuffer: no 3D driver needed.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Window* window = nullptr;
    if (windowed) {
        int width = 0;
        int height = 0;
        windowedSize(width, height);
        window = SDL_CreateWindow("Direct X", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                  SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN);
    } else {
        int width = 0;
        int height = 0;
        desktopSize(width, height);
        window = SDL_CreateWindow("Direct X", 0, 0, width, height, SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
        if (window != nullptr) {
            windowManager = windowManagerRuns(window);
            if (windowManager) SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
            SDL_ShowWindow(window);
        }
    }
    if (window == nullptr || SDL_GetWindowSurface(window) == nullptr) {
        std::snprintf(problem, sizeof problem, "cannot open the game's window (%s)", SDL_GetError());
        if (window != nullptr) SDL_DestroyWindow(window);
        return nullptr;
    }
    SDL_SetWindowMinimumSize(window, SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2);
    return window;
}

bool handleWindowEvent(SDL_Window* window, const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN || (event.key.keysym.mod & KMOD_ALT) == 0) return false;
    const SDL_Keycode key = event.key.keysym.sym;
    if (key != SDLK_RETURN && key != SDLK_KP_ENTER) return false;
    if (event.key.repeat == 0) {
        // Full screen is borderless (and without a window manager no more).
        if ((SDL_GetWindowFlags(window) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_BORDERLESS)) != 0) {
            makeWindowed(window);
        } else {
            makeFullscreen(window);
        }
    }
    return true;
}

bool altHeld() { return (SDL_GetModState() & KMOD_ALT) != 0; }
