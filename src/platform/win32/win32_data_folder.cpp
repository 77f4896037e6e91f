// SPDX-License-Identifier: GPL-2.0-or-later
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "core/text_glyphs.h"
#include "platform/win32/win32_data_folder.h"
#include "platform/win32/win32_file_steps.h"
#include "platform/win32/win32_paths.h"

namespace {
// The sprite sheet: without it nothing on any screen can be drawn.
constexpr const wchar_t* PROBE = L"data\\char.BMP";

wchar_t programFolder[WIDE_PATH_MAX];
wchar_t dataFolder[WIDE_PATH_MAX];  // empty: data/ of the working folder

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

// A savedat/ that is there but cannot be written sends the saves elsewhere.
bool savesWritable(const wchar_t* folder) {
    wchar_t saves[WIDE_PATH_MAX + 16];
    std::swprintf(saves, WIDE_PATH_MAX + 16, L"%ls\\savedat", folder);
    const DWORD attributes = GetFileAttributesW(saves);
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
           writable(saves);
}

// Opens FOLDER\savedat.lock without sharing, for the life of the process:
// every other open fails while it lives. The system closes the handle at its
// end, however it ends, and the file goes with it.
bool holdLock(const wchar_t* folder) {
    wchar_t lock[WIDE_PATH_MAX + 16];
    std::swprintf(lock, WIDE_PATH_MAX + 16, L"%ls\\savedat.lock", folder);
    return CreateFileW(lock, GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr) != INVALID_HANDLE_VALUE;
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
// A path as the player finds it: from the drive, without "." or "..".
void makeWhole(wchar_t (&path)[WIDE_PATH_MAX]) {
    wchar_t whole[WIDE_PATH_MAX];
    const DWORD length = GetFullPathNameW(path, WIDE_PATH_MAX, whole, nullptr);
    if (length > 0 && length < WIDE_PATH_MAX) std::wcscpy(path, whole);
}

}  // namespace

bool win32EnterDataFolder(Message& problem) {
    wchar_t here[WIDE_PATH_MAX];
    const DWORD hereLength = GetCurrentDirectoryW(WIDE_PATH_MAX, here);
    if (hereLength == 0 || hereLength >= WIDE_PATH_MAX) std::wcscpy(here, L".");
    const bool known = findProgramFolder();
    dataFolder[0] = L'\0';
    if (known && hasData(programFolder)) {
        std::swprintf(dataFolder, WIDE_PATH_MAX, L"%ls\\data", programFolder);
        setGameRoots(dataFolder, programFolder);
        return true;
    }
    if (hasData(here)) {
        setGameRoots(nullptr, nullptr);
        return true;
    }
    if (!known) std::wcscpy(programFolder, L"(the program's folder is unknown)");
    const bool same = _wcsicmp(here, programFolder) == 0;
    const wchar_t* advice =
        L"ゲームのフォルダー全体 (kabusim.exe と data フォルダー) を展開するか、"
        L"インストールし直してください。";
    if (same) {
        std::swprintf(problem.japanese, Message::SIZE,
                      L"ゲームのデータがありません。%ls に %ls がありません。\n\n%ls", programFolder, PROBE,
                      advice);
    } else {
        std::swprintf(problem.japanese, Message::SIZE,
                      L"ゲームのデータがありません。%ls にも %ls にも %ls がありません。\n\n%ls",
                      programFolder, here, PROBE, advice);
    }
    wchar_t english[Message::SIZE];
    std::swprintf(
        english, Message::SIZE,
        L"kabusim: the game's data is missing: there is no %ls in %ls%ls%ls.\n"
        L"Unpack the whole folder of the game (kabusim.exe with its data folder), or install it again.",
        PROBE, programFolder, same ? L"" : L" nor in ", same ? L"" : here);
    wideToUtf8(english, problem.english, Message::SIZE);
    return false;
}

bool win32LoadGlyphFile(Message& problem) {
    const FontFile outcome = loadTextFont(win32FileSteps);
    if (outcome == FontFile::Loaded) return true;
    wchar_t path[WIDE_PATH_MAX];
    if (!gamePathToWide(glyphfile::PATH, path, WIDE_PATH_MAX)) std::wcscpy(path, L"data\\glyphs.bin");
    makeWhole(path);
    const wchar_t* japanese = outcome == FontFile::Missing ? L"がありません"
                              : outcome == FontFile::Unreadable
                                  ? L"を読めません"
                                  : L"が壊れています (短い、長い、または書き換えられています)";
    const wchar_t* english = outcome == FontFile::Missing ? L"is missing"
                             : outcome == FontFile::Unreadable
                                 ? L"cannot be read"
                                 : L"is damaged (cut short, too long or changed)";
    std::swprintf(problem.japanese, Message::SIZE,
                  L"ゲームのデータが壊れています。%ls %ls。\n\n"
                  L"ゲームのフォルダー全体を展開し直すか、インストールし直してください。",
                  path, japanese);
    wchar_t text[Message::SIZE];
    std::swprintf(text, Message::SIZE,
                  L"kabusim: damaged game data: %ls %ls; unpack or install the game again", path, english);
    wideToUtf8(text, problem.english, Message::SIZE);
    return false;
}

FolderHold win32HoldSaveFolder(Message& problem) {
    // Saves go beside the program when its folder can be written (a portable
    // copy), else under %LOCALAPPDATA%\kabusim (an installed one). The lock
    // is made first, where the saves would go: its file is the test that the
    // folder can be written, so a second copy writes nothing at all.
    const bool besideProgram = dataFolder[0] != L'\0';
    wchar_t root[WIDE_PATH_MAX] = L".";
    if (besideProgram) std::wcscpy(root, programFolder);
    bool held = holdLock(root);
    DWORD error = held ? 0 : GetLastError();
    if (besideProgram && error != ERROR_SHARING_VIOLATION && (!held || !savesWritable(root)) &&
        localAppData(root, WIDE_PATH_MAX)) {
        CreateDirectoryW(root, nullptr);
        if (!held) {
            held = holdLock(root);
            error = held ? 0 : GetLastError();
        }
    }
    if (besideProgram) setGameRoots(dataFolder, root);
    if (held) return FolderHold::Held;
    if (error != ERROR_SHARING_VIOLATION) return FolderHold::Unknown;
    wchar_t saves[WIDE_PATH_MAX];
    std::swprintf(saves, WIDE_PATH_MAX, L"%ls\\savedat", root);
    makeWhole(saves);
    std::swprintf(problem.japanese, Message::SIZE,
                  L"カブシムはもう起動しています。\n"
                  L"同じセーブを使うので、このゲームは何も書かずに終わります。\n"
                  L"セーブのフォルダー: %ls",
                  saves);
    wchar_t text[Message::SIZE];
    std::swprintf(
        text, Message::SIZE,
        L"kabusim: another copy of the game is running with the saves in %ls; this one ends and leaves them "
        L"as they are",
        saves);
    wideToUtf8(text, problem.english, Message::SIZE);
    return FolderHold::Taken;
}
