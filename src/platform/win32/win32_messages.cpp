// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/win32/win32_messages.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstring>

namespace {
constexpr const wchar_t* CAPTION = L"Kabusim";
constexpr int MESSAGE_MAX = 8192;
HANDLE caughtRead = nullptr;

bool usableHandle(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    return GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

void writeLine(DWORD which, const char* text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(which), text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
    WriteFile(GetStdHandle(which), "\n", 1, &written, nullptr);
}

void showBox(const char* text, UINT icon) {
    wchar_t wide[MESSAGE_MAX];
    if (MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, MESSAGE_MAX) <= 0) wide[0] = L'\0';
    MessageBoxW(nullptr, wide, CAPTION, MB_OK | MB_SETFOREGROUND | icon);
}
}  // namespace

FILE* catchText() {
    HANDLE writeEnd = nullptr;
    caughtRead = nullptr;
    if (!CreatePipe(&caughtRead, &writeEnd, nullptr, MESSAGE_MAX)) return stdout;
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(writeEnd), _O_WRONLY | _O_BINARY);
    FILE* caught = descriptor >= 0 ? _fdopen(descriptor, "wb") : nullptr;
    if (caught != nullptr) return caught;
    if (descriptor >= 0) {
        _close(descriptor);
    } else {
        CloseHandle(writeEnd);
    }
    CloseHandle(caughtRead);
    caughtRead = nullptr;
    return stdout;
}

void takeCaughtText(FILE* caught, char* text, size_t size) {
    text[0] = '\0';
    if (caught == stdout || caughtRead == nullptr || size == 0) return;
    std::fclose(caught);
    DWORD total = 0;
    DWORD got = 0;
    while (total + 1 < size && ReadFile(caughtRead, text + total, static_cast<DWORD>(size - 1 - total), &got, nullptr) &&
           got > 0) {
        total += got;
    }
    text[total] = '\0';
    CloseHandle(caughtRead);
    caughtRead = nullptr;
    if (total > 0 && text[total - 1] == '\n') text[total - 1] = '\0';
}

void showInformation(const char* text) {
    if (usableHandle(STD_OUTPUT_HANDLE)) {
        writeLine(STD_OUTPUT_HANDLE, text);
    } else {
        showBox(text, MB_ICONINFORMATION);
    }
}

void showProblem(const char* text) {
    if (usableHandle(STD_ERROR_HANDLE)) writeLine(STD_ERROR_HANDLE, text);
    showBox(text, MB_ICONERROR);
}
