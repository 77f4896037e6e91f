// SPDX-License-Identifier: GPL-2.0-or-later
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>

#include "platform/win32/win32_data_folder.h"
#include "platform/win32/win32_paths.h"

namespace {
// The sprite sheet: without it nothing on any screen can be drawn.
constexpr const wchar_t* PROBE = L"data\\char.BMP";

wchar_t programFolder[WIDE_PATH_MAX];

bool hasData(const wchar_t* folder) {
    wchar_t path[WIDE_PATH_MAX + 16];
    std::swprintf(path, WIDE_PATH_MAX + 16, L"%ls\\%ls", folder, PROBE);
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool findProgramFolder() {
    const DWORD length = GetModuleFileNameW(nullptr, programFolder, WIDE_PATH_MAX);
    if (length == 0 || length >= WIDE_PATH_MAX) return false;
    wchar_t* slash = std::wcsrchr(programFolder, L'\\');
    if (slash == nullptr) return false;
    *slash = L'\0';
    return true;
}

// Whether a file can be made in the folder: tried with one that goes again
// when closed (savedat itself is made only by the first save).
bool writable(const wchar_t* folder) {
    wchar_t probe[WIDE_PATH_MAX + 64];
    std::swprintf(probe, WIDE_PATH_MAX + 64, L"%ls\\kabusim-write-test-%lu.tmp", folder, GetCurrentProcessId());
    const HANDLE file = CreateFileW(probe, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool portable(const wchar_t* folder) {
    wchar_t saves[WIDE_PATH_MAX + 16];
    std::swprintf(saves, WIDE_PATH_MAX + 16, L"%ls\\savedat", folder);
    const DWORD attributes = GetFileAttributesW(saves);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return writable(saves);
    return writable(folder);
}

bool localAppData(wchar_t* out, size_t size) {
    PWSTR known = nullptr;
    bool ok = false;
    if (SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &known) == S_OK) {
        ok = std::swprintf(out, size, L"%ls\\kabusim", known) > 0;
    }
    CoTaskMemFree(known);
    return ok;
}
// Finds data/ in the program's folder, else in the working folder, and
// chooses where saves go: beside the program when its folder can be written
// (a portable copy), else under %LOCALAPPDATA%\kabusim (an installed one).
// Sets the game roots. When neither folder has the data, writes into
// `problem` where it looked and returns false.
bool locateGameFolders(wchar_t* problem, size_t size) {
    problem[0] = L'\0';
    wchar_t here[WIDE_PATH_MAX];
    const DWORD hereLength = GetCurrentDirectoryW(WIDE_PATH_MAX, here);
    if (hereLength == 0 || hereLength >= WIDE_PATH_MAX) std::wcscpy(here, L".");
    const bool known = findProgramFolder();
    if (known && hasData(programFolder)) {
        wchar_t dataFolder[WIDE_PATH_MAX];
        wchar_t saves[WIDE_PATH_MAX];
        std::swprintf(dataFolder, WIDE_PATH_MAX, L"%ls\\data", programFolder);
        if (portable(programFolder) || !localAppData(saves, WIDE_PATH_MAX)) std::wcscpy(saves, programFolder);
        setGameRoots(dataFolder, saves);
        return true;
    }
    if (hasData(here)) {
        setGameRoots(nullptr, nullptr);
        return true;
    }
    if (!known) std::wcscpy(programFolder, L"(the program's folder is unknown)");
    std::swprintf(problem, size,
                  L"The game's data is missing: there is no %ls in %ls%ls%ls.\n\n"
                  L"Unpack the whole folder of the game (kabusim.exe with its data folder), or install it again.",
                  PROBE, programFolder, _wcsicmp(here, programFolder) == 0 ? L"" : L" nor in ",
                  _wcsicmp(here, programFolder) == 0 ? L"" : here);
    return false;
}

}  // namespace

bool win32EnterDataFolder(FILE* err) {
    wchar_t problem[3 * WIDE_PATH_MAX];
    if (locateGameFolders(problem, 3 * WIDE_PATH_MAX)) return true;
    char text[6 * WIDE_PATH_MAX];
    if (WideCharToMultiByte(CP_UTF8, 0, problem, -1, text, sizeof text, nullptr, nullptr) > 0) {
        std::fprintf(err, "kabusim: %s\n", text);
    }
    return false;
}
