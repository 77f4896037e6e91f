// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/win32/win32_backend.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <thread>

#include "core/main_loop.h"
#include "platform/backend.h"
#include "platform/shared/frame_ticks.h"
#include "platform/shared/options.h"
#include "platform/shared/picture_scale.h"
#include "platform/win32/win32_file_steps.h"
#include "platform/win32/win32_messages.h"
#include "platform/win32/win32_music.h"
#include "platform/win32/win32_window.h"
#include "platform/win32/win32_winmm.h"

namespace {
// The clock starts with the program.
LARGE_INTEGER readCounter(BOOL (*read)(LARGE_INTEGER*)) {
    LARGE_INTEGER value;
    read(&value);
    return value;
}
const LARGE_INTEGER counterStart = readCounter(QueryPerformanceCounter);
const LARGE_INTEGER counterFrequency = readCounter(QueryPerformanceFrequency);

// The picture: a DIB section the size of the client area.
HDC windowDC = nullptr;
HDC pictureDC = nullptr;
HBITMAP pictureBitmap = nullptr;
HGDIOBJ previousBitmap = nullptr;
uint32_t* pictureBits = nullptr;
int pictureWidth = 0;
int pictureHeight = 0;
ScaleMode mappedMode = ScaleMode::Sharp;
Viewport lastView{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
bool wholeWindowStale = true;
AxisMap columnMap;
AxisMap rowMap;

// Sleeping: one waitable timer, high resolution where Windows has it, else
// an ordinary one with the system timer at 1 ms.
HANDLE timer = nullptr;
bool raisedTimerResolution = false;
FrameTicks frameTicks;

uint64_t micros() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return countsToMicros(static_cast<uint64_t>(now.QuadPart - counterStart.QuadPart),
                          static_cast<uint64_t>(counterFrequency.QuadPart));
}

void openTimer() {
    // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION (Windows 10, version 1803 on).
    timer = CreateWaitableTimerExW(nullptr, nullptr, 0x00000002, TIMER_ALL_ACCESS);
    if (timer == nullptr) {
        raisedTimerResolution = winmm::raiseTimerResolution();
        timer = CreateWaitableTimerW(nullptr, FALSE, nullptr);
    }
}

void closeTimer() {
    if (timer != nullptr) CloseHandle(timer);
    timer = nullptr;
    if (raisedTimerResolution) winmm::lowerTimerResolution();
    raisedTimerResolution = false;
}

bool armTimer(uint64_t waitMicros) {
    if (timer == nullptr) return false;
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>(waitMicros * 10);  // relative, in 100 ns
    return SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE) != 0;
}

void sleepMicros(uint64_t waitMicros) {
    if (armTimer(waitMicros)) {
        WaitForSingleObject(timer, INFINITE);
    } else {
        Sleep(static_cast<DWORD>(waitMicros / 1000));
    }
}

void releasePicture() {
    if (pictureDC != nullptr) {
        if (previousBitmap != nullptr) SelectObject(pictureDC, previousBitmap);
        DeleteDC(pictureDC);
    }
    if (pictureBitmap != nullptr) DeleteObject(pictureBitmap);
    pictureDC = nullptr;
    pictureBitmap = nullptr;
    previousBitmap = nullptr;
    pictureBits = nullptr;
    pictureWidth = 0;
    pictureHeight = 0;
}

// A top-down 32-bit DIB section of the client's size, black.
bool makePicture(int width, int height) {
    releasePicture();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    pictureBitmap = CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (pictureBitmap == nullptr || bits == nullptr) {
        releasePicture();
        return false;
    }
    pictureDC = CreateCompatibleDC(windowDC);
    if (pictureDC == nullptr) {
        releasePicture();
        return false;
    }
    previousBitmap = SelectObject(pictureDC, pictureBitmap);
    pictureBits = static_cast<uint32_t*>(bits);
    pictureWidth = width;
    pictureHeight = height;
    std::memset(pictureBits, 0, static_cast<size_t>(width) * height * 4);
    return true;
}

// Converts the frame through the palette, scales it into the DIB section
// and copies it to the window: the picture, or everything after a change of
// size.
void showFrame(const uint8_t* pixels, int pitch, const PaletteEntry* palette) {
    const HWND window = gameWindow();
    if (window == nullptr || windowDC == nullptr) return;
    RECT client;
    GetClientRect(window, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0) return;  // minimised
    const ScaleMode mode = programOptions.scale;
    if (width != pictureWidth || height != pictureHeight || mode != mappedMode || pictureBits == nullptr) {
        if (!makePicture(width, height)) return;
        lastView = viewportFor(width, height, mode);
        buildAxisMap(columnMap, SCREEN_WIDTH, lastView.width);
        buildAxisMap(rowMap, SCREEN_HEIGHT, lastView.height);
        mappedMode = mode;
        wholeWindowStale = true;
    }
    uint32_t colors[256];
    for (int i = 0; i < 256; ++i) {
        colors[i] = static_cast<uint32_t>(palette[i].red) << 16 | static_cast<uint32_t>(palette[i].green) << 8 |
                    palette[i].blue;
    }
    GdiFlush();  // GDI is done with the section before it is written
    scalePicture(pictureBits, pictureWidth, lastView, columnMap, rowMap, pixels, pitch, colors);
    if (wholeWindowStale) {
        BitBlt(windowDC, 0, 0, pictureWidth, pictureHeight, pictureDC, 0, 0, SRCCOPY);
        wholeWindowStale = false;
    } else {
        BitBlt(windowDC, lastView.x, lastView.y, lastView.width, lastView.height, pictureDC, lastView.x, lastView.y,
               SRCCOPY);
    }
    GdiFlush();
}

const PacedDisplay display{micros, showFrame, sleepMicros};

void present(const uint8_t* pixels, int pitch, const PaletteEntry* palette) {
    pacedPresent(frameTicks, display, pixels, pitch, palette);
}

// Takes every waiting window message; the window procedure queues the
// game's events.
void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool nextEvent(PlatformEvent& event) {
    if (takeEvent(windowEvents, event)) return true;
    pumpMessages();
    return takeEvent(windowEvents, event);
}

// Sleeps until a game event comes or the time is up; other messages (mouse
// motion, painting) wake it only to be handled.
bool waitEvent(uint32_t timeoutMs) {
    pumpMessages();
    if (windowEvents.count > 0) return true;
    if (!armTimer(uint64_t{timeoutMs} * 1000)) {
        MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        pumpMessages();
        return windowEvents.count > 0;
    }
    for (;;) {
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke != WAIT_OBJECT_0 + 1) {
            CancelWaitableTimer(timer);
            return windowEvents.count > 0;
        }
        pumpMessages();
        if (windowEvents.count > 0) {
            CancelWaitableTimer(timer);
            return true;
        }
    }
}

bool keyDown(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

// Keys and buttons count only while the game's window has the focus.
void readInput(InputState& input) {
    const HWND window = gameWindow();
    POINT at{0, 0};
    if (GetCursorPos(&at) && window != nullptr) ScreenToClient(window, &at);
    input.cursor = windowToPicture(lastView, at.x, at.y);
    const bool focused = window != nullptr && GetForegroundWindow() == window;
    // The physical button that acts as the left one.
    const int primary = GetSystemMetrics(SM_SWAPBUTTON) != 0 ? VK_RBUTTON : VK_LBUTTON;
    input.leftButton = focused && keyDown(primary);
    input.enter = focused && keyDown(VK_RETURN) && !keyDown(VK_MENU);
    input.up = focused && keyDown(VK_UP);
    input.down = focused && keyDown(VK_DOWN);
    input.f = focused && keyDown('F');
}


// The shutdown: the desktop comes back at once, while the last save finishes.
void restoreDisplay() {
    if (gameWindow() != nullptr) ShowWindow(gameWindow(), SW_HIDE);
}

const Backend win32Backend{.present = present,
                           .micros = micros,
                           .readInput = readInput,
                           .nextEvent = nextEvent,
                           .music = musicCommand,
                           .restoreDisplay = restoreDisplay,
                           .waitEvent = waitEvent,
                           .files = win32FileSteps};

void describeLastError(char* problem, size_t size, const char* what) {
    const DWORD error = GetLastError();
    if (error == 0) {
        // No display at all under Wine: the system says nothing more.
        std::snprintf(problem, size, "%s: there is no display to show it on.", what);
        return;
    }
    wchar_t reason[256] = L"";
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, reason, 256,
                   nullptr);
    for (wchar_t* end = reason + std::wcslen(reason); end > reason && (end[-1] == L'\n' || end[-1] == L'\r'); --end) {
        end[-1] = L'\0';
    }
    char text[1024] = "";
    wideToUtf8(reason, text, sizeof text);
    std::snprintf(problem, size, "%s (error %lu%s%s).", what, error, text[0] != '\0' ? ": " : "", text);
}
}  // namespace

void repaintWindow(HDC dc) {
    if (pictureDC != nullptr) BitBlt(dc, 0, 0, pictureWidth, pictureHeight, pictureDC, 0, 0, SRCCOPY);
}

bool win32BackendOpen(char* problem, size_t size) {
    problem[0] = '\0';
    windowEvents = EventQueue{};
    // The start-up reads the clock for its seed, and loads while the window opens.
    setBackend(&win32Backend);
    std::thread loading(startup);
    const HWND window = createGameWindow(GetModuleHandleW(nullptr), programOptions.windowed);
    if (window == nullptr) describeLastError(problem, size, "kabusim: the game's window cannot be opened");
    loading.join();
    if (window == nullptr) return false;
    windowDC = GetDC(window);
    openTimer();
    openMusic(window);
    startFrameTicks(frameTicks, micros());
    return true;
}

void win32BackendClose() {
    closeMusic();
    releasePicture();
    if (windowDC != nullptr && gameWindow() != nullptr) ReleaseDC(gameWindow(), windowDC);
    windowDC = nullptr;
    destroyGameWindow();
    closeTimer();
}
