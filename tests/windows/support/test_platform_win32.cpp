// SPDX-License-Identifier: GPL-2.0-or-later
// The test helpers of test_platform.h on Windows.
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_platform.h"

namespace testing_support {

namespace fs = std::filesystem;

namespace {
// Files held open by makeUnreadable, by path.
struct Held {
    std::string path;
    HANDLE handle;
};
std::vector<Held> held;

// The environment a child process finds: which child it is, and the folder
// it works in.
constexpr const wchar_t* CHILD_NAME = L"KABU_TEST_CHILD";
constexpr const wchar_t* CHILD_FOLDER = L"KABU_TEST_CHILD_FOLDER";

std::wstring wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring out(length > 0 ? length - 1 : 0, L'\0');
    if (length > 1) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), length);
    return out;
}

std::wstring environment(const wchar_t* name) {
    wchar_t value[1024];
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

// A command-line argument quoted as CommandLineToArgvW reads it back.
std::wstring commandArgument(const std::wstring& argument) {
    std::wstring out = L"\"";
    size_t slashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        out.append(c == L'"' ? 2 * slashes + 1 : slashes, L'\\');
        slashes = 0;
        out += c;
    }
    out.append(2 * slashes, L'\\');
    return out + L"\"";
}

std::wstring programPath() {
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    return std::wstring(path, length);
}

HANDLE inheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}
}  // namespace

std::string makeTempFolder(const char* prefix) {
    std::error_code error;
    const fs::path root = fs::temp_directory_path(error);
    if (error) return "";
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        const unsigned number = GetTickCount() * 7919u + GetCurrentProcessId() * 104729u + attempt;
        const fs::path folder = root / (std::string(prefix) + "-" + std::to_string(number % 100000000u));
        if (CreateDirectoryW(folder.wstring().c_str(), nullptr)) return folder.string();
        if (GetLastError() != ERROR_ALREADY_EXISTS) return "";
    }
    return "";
}

bool enterFolder(const std::string& folder) { return SetCurrentDirectoryW(wide(folder).c_str()) != 0; }

long processNumber() { return static_cast<long>(GetCurrentProcessId()); }

// This process's own copy of a folder's files, made at its first use and
// removed at exit. Links to files that another test process has open cannot
// always be removed (Wine then keeps the name, and removing the folder never
// ends), so the links of a test go only to files no other process opens.
namespace {
std::string privateCopy;
std::string privateCopyOf;

void removePrivateCopy() {
    std::error_code error;
    if (!privateCopy.empty()) fs::remove_all(privateCopy, error);
}

const std::string& ownCopyOf(const std::string& target) {
    if (privateCopyOf == target) return privateCopy;
    removePrivateCopy();
    if (privateCopyOf.empty()) std::atexit(removePrivateCopy);
    privateCopyOf = target;
    privateCopy = makeTempFolder("kabudata");
    std::error_code error;
    fs::copy(target, privateCopy, fs::copy_options::recursive, error);
    return privateCopy;
}
}  // namespace

// Wine makes no links a program sees, and Windows only with developer mode
// or as administrator; hard links to each file work everywhere on one volume
// (copies elsewhere).
bool linkFolder(const std::string& target, const std::string& name) {
    std::error_code error;
    if (!fs::create_directory(name, error) && error) return false;
    const std::string& own = ownCopyOf(target);
    if (own.empty()) return false;
    bool ok = true;
    for (const fs::directory_entry& entry : fs::directory_iterator(own, error)) {
        if (entry.is_regular_file()) ok = linkFile(entry.path().string(), (fs::path(name) / entry.path().filename()).string()) && ok;
    }
    return ok && !error;
}

bool linkFile(const std::string& target, const std::string& name) {
    if (CreateHardLinkW(wide(name).c_str(), wide(target).c_str(), nullptr)) return true;
    return CopyFileW(wide(target).c_str(), wide(name).c_str(), TRUE) != 0;
}

bool makeSymlink(const std::string& target, const std::string& name, std::string& why) {
    const DWORD allowUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
    std::wstring wideTarget = wide(target);
    for (wchar_t& c : wideTarget) {
        if (c == L'/') c = L'\\';
    }
    const BOOL made = CreateSymbolicLinkW(wide(name).c_str(), wideTarget.c_str(), allowUnprivileged);
    // Wine 8 says yes and makes nothing.
    const DWORD attributes = GetFileAttributesW(wide(name).c_str());
    if (made && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return true;
    why = made ? "symbolic links are not made here (Wine has no reparse points)"
               : "symbolic links need developer mode or an administrator (error " + std::to_string(GetLastError()) + ")";
    return false;
}

bool isSymlinkTo(const std::string& name, const std::string& target) {
    std::error_code error;
    return fs::is_symlink(name, error) && fs::read_symlink(name, error) == fs::path(target).make_preferred();
}

bool makePipe(const std::string&) { return false; }

void makeUnreadable(const std::string& path) {
    // No sharing of reading or writing: every other open fails, as when
    // another program holds the file.
    const HANDLE handle = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) held.push_back(Held{path, handle});
}

void makeReadable(const std::string& path) {
    for (size_t i = 0; i < held.size();) {
        if (held[i].path == path) {
            CloseHandle(held[i].handle);
            held.erase(held.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

bool stillUnreadable(const std::string& path) {
    bool holding = false;
    for (const Held& file : held) holding = holding || file.path == path;
    const HANDLE other = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    return holding && other == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION;
}

bool unreadableCanBeReplaced() { return false; }

// A held file is unreadable to this process as to any other.
int runWhereUnreadable(const std::string&, int (*check)()) { return check(); }

// The child is this test program again, running only the current test: when
// it comes to the same startChild it does the work in the parent's folder.
ChildProcess startChild(const char* name, void (*work)()) {
    ChildProcess child;
    const std::wstring wideName = wide(name);
    if (environment(CHILD_NAME) == wideName) {
        std::error_code error;
        const fs::path own = fs::current_path(error);
        SetCurrentDirectoryW(environment(CHILD_FOLDER).c_str());
        fs::remove_all(own, error);
        work();
        ExitProcess(0);
    }
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::wstring filter = wide(std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name());
    std::wstring commandLine = commandArgument(programPath()) + L" " + commandArgument(filter);
    std::error_code error;
    SetEnvironmentVariableW(CHILD_NAME, wideName.c_str());
    SetEnvironmentVariableW(CHILD_FOLDER, fs::current_path(error).wstring().c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = nullptr;
    startup.hStdError = nullptr;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                        nullptr, &startup, &process);
    SetEnvironmentVariableW(CHILD_NAME, nullptr);
    SetEnvironmentVariableW(CHILD_FOLDER, nullptr);
    if (!started) return child;
    CloseHandle(process.hThread);
    child.id = reinterpret_cast<intptr_t>(process.hProcess);
    return child;
}

void killChild(ChildProcess& child) {
    if (child.id < 0) return;
    const HANDLE process = reinterpret_cast<HANDLE>(static_cast<intptr_t>(child.id));
    TerminateProcess(process, 9);
    WaitForSingleObject(process, INFINITE);
    CloseHandle(process);
    child.id = -1;
}

int runProgram(const std::string& folder, const std::string& program, const std::vector<std::string>& arguments,
               const std::string& outPath, const std::string& errPath) {
    std::wstring path = wide(program);
    if (fs::path(path).extension() != L".exe") path += L".exe";
    std::wstring commandLine = commandArgument(path);
    for (const std::string& argument : arguments) commandLine += L" " + commandArgument(wide(argument));
    const HANDLE out = inheritableFile(outPath);
    const HANDLE err = inheritableFile(errPath);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                        nullptr, wide(folder).c_str(), &startup, &process);
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    if (err != INVALID_HANDLE_VALUE) CloseHandle(err);
    if (!started) return -1;
    CloseHandle(process.hThread);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.hProcess, &code)) {
        code = static_cast<DWORD>(-1);
    }
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

}  // namespace testing_support
