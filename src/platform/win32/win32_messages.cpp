// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/win32/win32_messages.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "platform/shared/options.h"

namespace {
constexpr const wchar_t* CAPTION = L"Kabusim";

// A handle the program was given that text can be written to: a file, a
// pipe or a character device (a console, a terminal under Wine, NUL).
DWORD typeOf(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return FILE_TYPE_UNKNOWN;
    return GetFileType(handle);
}

bool redirected(DWORD type) { return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE; }
bool usable(DWORD type) { return redirected(type) || type == FILE_TYPE_CHAR; }

void widen(const char* utf8, wchar_t* wide, size_t size) {
    if (MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, static_cast<int>(size)) <= 0) wide[0] = L'\0';
}

// A name from the command line (ANSI code page, as main() gets it), wide and
// as UTF-8.
struct Argument {
    wchar_t wide[512];
    char utf8[1536];
    explicit Argument(const char* ansi) {
        if (MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, 512) <= 0) wide[0] = L'\0';
        wideToUtf8(wide, utf8, sizeof utf8);
    }
};

// The English, as UTF-8 bytes to a file or pipe, or as characters to a console.
void writeTo(HANDLE handle, const char* text) {
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        wchar_t wide[Message::SIZE];
        widen(text, wide, Message::SIZE);
        WriteConsoleW(handle, wide, static_cast<DWORD>(std::wcslen(wide)), &written, nullptr);
        WriteConsoleW(handle, L"\r\n", 2, &written, nullptr);
        return;
    }
    WriteFile(handle, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
    WriteFile(handle, "\n", 1, &written, nullptr);
}

// The console of the program that started this one (cmd.exe, PowerShell),
// which a program without a console of its own must join to print there.
bool writeToParentConsole(const char* text) {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
    const HANDLE console =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE) return false;
    // The prompt came back when the program started: the text goes below it.
    DWORD written = 0;
    WriteConsoleW(console, L"\r\n", 2, &written, nullptr);
    writeTo(console, text);
    CloseHandle(console);
    return true;
}

void showBox(const Message& message, UINT icon) {
    wchar_t text[2 * Message::SIZE + 4];
    wchar_t english[Message::SIZE];
    widen(message.english, english, Message::SIZE);
    std::swprintf(text, 2 * Message::SIZE + 4, L"%ls\n\n%ls", message.japanese, english);
    MessageBoxW(nullptr, text, CAPTION, MB_OK | MB_SETFOREGROUND | icon);
}

// Copies `format` with its arguments into `out`, cut to its size.
template <typename... Args>
void english(Message& message, const char* format, Args... args) {
    std::snprintf(message.english, Message::SIZE, format, args...);
}
template <typename... Args>
void japanese(Message& message, const wchar_t* format, Args... args) {
    std::swprintf(message.japanese, Message::SIZE, format, args...);
}

// The output a script or a console gave the program: one redirected to a
// file or a pipe first (`kabusim.exe --help > help.txt` puts even a
// complaint there), then a terminal or console, then the console of the
// program that started this one; else the box.
void show(const Message& message, UINT icon) {
    const DWORD which[] = {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    for (const DWORD handle : which) {
        if (redirected(typeOf(handle))) return writeTo(GetStdHandle(handle), message.english);
    }
    for (const DWORD handle : which) {
        if (usable(typeOf(handle))) return writeTo(GetStdHandle(handle), message.english);
    }
    if (!writeToParentConsole(message.english)) showBox(message, icon);
}
}  // namespace

void wideToUtf8(const wchar_t* wide, char* out, size_t size) {
    if (WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, static_cast<int>(size), nullptr, nullptr) <= 0)
        out[0] = '\0';
}

void showInformation(const Message& message) { show(message, MB_ICONINFORMATION); }

void showProblem(const Message& message) { show(message, MB_ICONERROR); }

// Short lines without columns: Wine's message box wraps lines at a quarter
// of the screen, Windows' at a little more.
void sayHelp(Message& message) {
    japanese(message,
             L"使い方: kabusim.exe [オプション]...\n"
             L"カブシムは株式売買のゲームです。\n"
             L"全画面で始まり、Esc キーで終わります。\n"
             L"\n"
             L"--window: ウィンドウで始めます\n"
             L"  (遊びながら Alt+Enter で切り替え)\n"
             L"--fullscreen: 全画面で始めます (既定)\n"
             L"--scale=sharp: 絵のどの点も同じ大きさ\n"
             L"  に拡大します (既定)\n"
             L"--scale=integer: 整数倍だけで拡大します\n"
             L"--stats=FILE: 表示した絵ごとに1行を\n"
             L"  FILE に書きます (計測用)\n"
             L"--help: この説明を表示します\n"
             L"--version: バージョンを表示します\n"
             L"\n"
             L"data フォルダーは kabusim.exe と同じ\n"
             L"フォルダーから読みます。セーブは\n"
             L"kabusim.exe の隣の savedat フォルダー\n"
             L"(zip 版、自分用のインストール) に、\n"
             L"そこに書き込めないとき (全員用の\n"
             L"インストール) は次のフォルダーに\n"
             L"保存します:\n"
             L"%%LOCALAPPDATA%%\\kabusim\\savedat");
    english(message, "%s",
            "Usage: kabusim.exe [OPTION]...\n"
            "Kabusim, a stock-trading game. It starts\n"
            "full screen; Escape ends it.\n"
            "\n"
            "--window: start in a window\n"
            "  (Alt+Enter switches while playing)\n"
            "--fullscreen: start full screen (default)\n"
            "--scale=sharp: every picture pixel the\n"
            "  same size (default)\n"
            "--scale=integer: whole scale factors only\n"
            "--stats=FILE: a line per frame shown\n"
            "  into FILE (for measuring)\n"
            "--help: show this help\n"
            "--version: show the version\n"
            "\n"
            "The game reads the data folder beside\n"
            "kabusim.exe. Saves go in the savedat\n"
            "folder beside kabusim.exe (the zip, or an\n"
            "install for one user); where that cannot\n"
            "be written (an install for all users), in\n"
            "%LOCALAPPDATA%\\kabusim\\savedat");
}

void sayVersion(Message& message) {
    japanese(message, L"カブシム バージョン %hs", programVersion());
    english(message, "kabusim %s", programVersion());
}

void sayUnknownOption(Message& message, const char* argument) {
    const Argument option(argument);
    japanese(message,
             L"「%ls」というオプションはありません。\nkabusim.exe --help でオプションの一覧を表示します。",
             option.wide);
    english(message, "kabusim.exe: unknown option '%s'; kabusim.exe --help lists the options", option.utf8);
}

void sayNoStatisticsFile(Message& message, const char* path) {
    const Argument file(path);
    japanese(message, L"統計のファイル %ls に書き込めません。", file.wide);
    english(message, "kabusim: cannot write the statistics file %s", file.utf8);
}

void sayNoWindow(Message& message, const char* reason) {
    japanese(message, L"ゲームのウィンドウを開けません。");
    english(message, "%s", reason);
}
