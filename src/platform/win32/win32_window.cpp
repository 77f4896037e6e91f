// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/win32/win32_window.h"

#include "core/devices.h"
#include "platform/shared/picture_scale.h"
#include "platform/win32/win32_music.h"
#include "platform/win32/win32_winmm.h"

namespace {
constexpr const wchar_t* CLASS_NAME = L"KabusimWindow";
constexpr const wchar_t* TITLE = L"Direct X";
constexpr DWORD WINDOWED_STYLE = WS_OVERLAPPEDWINDOW;
constexpr DWORD FULLSCREEN_STYLE = WS_POPUP;

HWND window = nullptr;
HINSTANCE programInstance = nullptr;
bool fullscreen = true;


MONITORINFO monitorOf(HWND of) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    const HMONITOR monitor = of != nullptr ? MonitorFromWindow(of, MONITOR_DEFAULTTONEAREST)
                                           : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (!GetMonitorInfoW(monitor, &info)) {
        info.rcMonitor = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        info.rcWork = info.rcMonitor;
    }
    return info;
}

// The whole monitor.
RECT fullscreenRect(HWND of) { return monitorOf(of).rcMonitor; }

// The largest whole multiple of the picture whose window fits the work
// area, centred in it.
RECT windowedRect(HWND of) {
    const RECT work = monitorOf(of).rcWork;
    const int workWidth = work.right - work.left;
    const int workHeight = work.bottom - work.top;
    const int factor = windowedFactor(workWidth, workHeight);
    RECT frame{0, 0, factor * SCREEN_WIDTH, factor * SCREEN_HEIGHT};
    AdjustWindowRectEx(&frame, WINDOWED_STYLE, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = work.left + (workWidth - width) / 2;
    const int y = work.top + (workHeight - height) / 2;
    return RECT{x, y > work.top ? y : work.top, x + width, (y > work.top ? y : work.top) + height};
}

void place(const RECT& rect, DWORD style) {
    SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(style | WS_VISIBLE));
    SetWindowPos(window, HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_FRAMECHANGED | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
}

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            queueEvent(windowEvents, EventKind::Close);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) queueEvent(windowEvents, EventKind::Escape);
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_RETURN && (lParam & (1 << 29)) != 0) {
                if ((lParam & (1 << 30)) == 0) toggleFullscreen();
                return 0;
            }
            break;
        case WM_SYSCHAR:
            if (wParam == VK_RETURN) return 0;  // no beep for Alt+Enter
            break;
        case WM_SYSCOMMAND:
            // Alt or F10 alone would stop the game in the menu loop.
            if ((wParam & 0xFFF0) == SC_KEYMENU) return 0;
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                SetCursor(nullptr);
                return TRUE;
            }
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(hwnd, &paint);
            repaintWindow(dc);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_GETMINMAXINFO: {
            RECT smallest{0, 0, SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2};
            AdjustWindowRectEx(&smallest, WINDOWED_STYLE, FALSE, 0);
            MINMAXINFO* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize.x = smallest.right - smallest.left;
            limits->ptMinTrackSize.y = smallest.bottom - smallest.top;
            return 0;
        }
        case 0x02E0: {  // WM_DPICHANGED: take the size Windows suggests
            if (!fullscreen) {
                const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
                SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                             suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            }
            return 0;
        }
        case WM_DISPLAYCHANGE:
            if (fullscreen) place(fullscreenRect(hwnd), FULLSCREEN_STYLE);
            return 0;
        case winmm::NOTIFY_MESSAGE:
            queueEvent(windowEvents, EventKind::MusicDone, musicDoneCode(static_cast<unsigned>(wParam)));
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace

HWND gameWindow() { return window; }

HWND createGameWindow(HINSTANCE instance, bool windowed) {
    programInstance = instance;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = nullptr;  // hidden over the picture
    windowClass.hbrBackground = nullptr;
    windowClass.lpszClassName = CLASS_NAME;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    fullscreen = !windowed;
    const RECT rect = fullscreen ? fullscreenRect(nullptr) : windowedRect(nullptr);
    window = CreateWindowExW(0, CLASS_NAME, TITLE, fullscreen ? FULLSCREEN_STYLE : WINDOWED_STYLE, rect.left,
                             rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance,
                             nullptr);
    if (window == nullptr) return nullptr;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    UpdateWindow(window);
    return window;
}

void destroyGameWindow() {
    if (window != nullptr) DestroyWindow(window);
    window = nullptr;
    if (programInstance != nullptr) UnregisterClassW(CLASS_NAME, programInstance);
}

void toggleFullscreen() {
    fullscreen = !fullscreen;
    if (fullscreen) {
        place(fullscreenRect(window), FULLSCREEN_STYLE);
    } else {
        place(windowedRect(window), WINDOWED_STYLE);
    }
}

EventQueue windowEvents;
