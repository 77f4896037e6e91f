// The program entry on Windows: options, the folders of data and saves, the
// Win32 backend and the main loop. What the game has to say goes to a
// message box, or to the standard output or error when the program was
// started with them (from a console or a script).
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "program/program.h"
#include "shell/frame_stats.h"
#include "shell/main_loop.h"
#include "shell/options.h"
#include "shell/win32/win32_backend.h"
#include "shell/win32/win32_folders.h"
#include "state/save_writer.h"

namespace {
constexpr int MAX_ARGUMENTS = 64;
constexpr int MAX_ARGUMENT = 1024;
constexpr const wchar_t* CAPTION = L"Kabusim";

char argumentText[MAX_ARGUMENTS][MAX_ARGUMENT];
const char* arguments[MAX_ARGUMENTS];
char optionsText[8192];
wchar_t message[8192];

bool usableHandle(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
    return GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

void writeTo(DWORD which, const wchar_t* text) {
    char bytes[sizeof message * 2];
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    if (length <= 1) return;
    DWORD written = 0;
    WriteFile(GetStdHandle(which), bytes, static_cast<DWORD>(length - 1), &written, nullptr);
    WriteFile(GetStdHandle(which), "\n", 1, &written, nullptr);
}

// A problem: on the standard error when there is one, and in a message box.
void complain(const wchar_t* text) {
    if (usableHandle(STD_ERROR_HANDLE)) writeTo(STD_ERROR_HANDLE, text);
    MessageBoxW(nullptr, text, CAPTION, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

// Help and version: on the standard output when there is one, else in a box.
void inform(const wchar_t* text) {
    if (usableHandle(STD_OUTPUT_HANDLE)) {
        writeTo(STD_OUTPUT_HANDLE, text);
    } else {
        MessageBoxW(nullptr, text, CAPTION, MB_OK | MB_ICONINFORMATION);
    }
}

void widen(const char* text, wchar_t* out, int size) {
    if (MultiByteToWideChar(CP_UTF8, 0, text, -1, out, size) <= 0) out[0] = L'\0';
}

// The command line as UTF-8 arguments; false when there are too many or
// one is too long.
bool readArguments(int& count) {
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        count = 0;
        return true;
    }
    bool ok = count <= MAX_ARGUMENTS;
    if (!ok) count = MAX_ARGUMENTS;
    for (int i = 0; i < count; ++i) {
        if (WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argumentText[i], MAX_ARGUMENT, nullptr, nullptr) <= 0) {
            argumentText[i][0] = '\0';
            ok = false;
        }
        arguments[i] = argumentText[i];
    }
    LocalFree(wide);
    return ok;
}

// Reads the options with what they print caught through a pipe.
OptionsOutcome parseCaught(int count) {
    optionsText[0] = '\0';
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, nullptr, sizeof optionsText)) {
        return parseOptions(count, arguments, programOptions, stdout, stderr);
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(writeEnd), _O_WRONLY | _O_BINARY);
    FILE* caught = descriptor >= 0 ? _fdopen(descriptor, "wb") : nullptr;
    if (caught == nullptr) {
        if (descriptor >= 0) {
            _close(descriptor);
        } else {
            CloseHandle(writeEnd);
        }
        CloseHandle(readEnd);
        return parseOptions(count, arguments, programOptions, stdout, stderr);
    }
    const OptionsOutcome outcome = parseOptions(count, arguments, programOptions, caught, caught);
    std::fclose(caught);
    DWORD got = 0;
    DWORD total = 0;
    while (total + 1 < sizeof optionsText &&
           ReadFile(readEnd, optionsText + total, static_cast<DWORD>(sizeof optionsText - 1 - total), &got, nullptr) &&
           got > 0) {
        total += got;
    }
    optionsText[total] = '\0';
    CloseHandle(readEnd);
    // One line at the end is the message box's own.
    if (total > 0 && optionsText[total - 1] == '\n') optionsText[total - 1] = '\0';
    return outcome;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    resetProgramState();
    int count = 0;
    if (!readArguments(count)) {
        complain(L"kabusim: too many or too long options; 'kabusim --help' lists the options");
        return 2;
    }
    switch (parseCaught(count)) {
        case OptionsOutcome::Done:
            widen(optionsText, message, 8192);
            inform(message);
            return 0;
        case OptionsOutcome::BadOption:
            widen(optionsText, message, 8192);
            complain(message);
            return 2;
        case OptionsOutcome::Run:
            break;
    }
    if (programOptions.statsFile != nullptr && !openFrameStats(programOptions.statsFile)) {
        wchar_t path[MAX_ARGUMENT];
        widen(programOptions.statsFile, path, MAX_ARGUMENT);
        std::swprintf(message, 8192, L"kabusim: cannot write the statistics file %ls", path);
        complain(message);
        return 1;
    }
    if (!locateGameFolders(message, 8192)) {
        complain(message);
        return 1;
    }
    if (!win32BackendOpen(message, 8192)) {
        complain(message);
        win32BackendClose();
        closeFrameStats();
        return 1;
    }
    setBackgroundSaving(true);
    const int code = runMainLoop();
    win32BackendClose();
    closeFrameStats();
    return code;
}
