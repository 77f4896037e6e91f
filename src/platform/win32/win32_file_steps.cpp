// SPDX-License-Identifier: GPL-2.0-or-later
// The file steps on Windows. Links and junctions are never followed when
// writing or removing: a new file is created only where nothing stands, and a
// link in the way is removed itself, never what it points to.
#include <windows.h>

#include <cstdint>
#include <cwchar>

#include "platform/win32/win32_file_steps.h"
#include "platform/win32/win32_paths.h"

namespace {

struct WidePath {
    wchar_t text[WIDE_PATH_MAX];
    bool ok;
    explicit WidePath(const char* path) : ok(gamePathToWide(path, text, WIDE_PATH_MAX)) {}
};

bool missingError(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME;
}

// A symbolic link or a junction (a name that stands for another), not a
// placeholder of a cloud folder or another kind of reparse point.
bool isLink(const wchar_t* path, DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return false;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(path, &found);
    if (search == INVALID_HANDLE_VALUE) return true;
    FindClose(search);
    return IsReparseTagNameSurrogate(found.dwReserved0);
}

NameKind kindOf(const wchar_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return NameKind::Missing;
    if (isLink(path, attributes)) return NameKind::Other;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return NameKind::Folder;
    if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) return NameKind::Other;
    return NameKind::File;
}

bool writeAll(HANDLE file, const uint8_t* bytes, size_t size) {
    while (size > 0) {
        const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0) return false;
        bytes += written;
        size -= written;
    }
    return true;
}

// Removes one name that is not a real folder: a file (read-only or not) or
// a link of either kind, itself.
bool removeEntry(const wchar_t* path, DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(path, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return RemoveDirectoryW(path) != 0;
    return DeleteFileW(path) != 0;
}

// A folder with all it holds; links inside are removed, never entered.
bool removeTree(wchar_t* path, size_t length, int depth) {
    if (depth > 64 || length + 3 >= WIDE_PATH_MAX) return false;
    std::wcscpy(path + length, L"\\*");
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileExW(path, FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    path[length] = L'\0';
    bool ok = true;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const wchar_t* name = found.cFileName;
            if (std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0) continue;
            const size_t nameLength = std::wcslen(name);
            if (length + 1 + nameLength >= WIDE_PATH_MAX) {
                ok = false;
                continue;
            }
            path[length] = L'\\';
            std::wcscpy(path + length + 1, name);
            const DWORD attributes = found.dwFileAttributes;
            const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                                (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
            ok = (folder ? removeTree(path, length + 1 + nameLength, depth + 1) : removeEntry(path, attributes)) && ok;
            path[length] = L'\0';
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryW(path) != 0 && ok;
}


FileRead readFileStep(const char* path, void* buffer, size_t size) {
    FileRead result;
    const WidePath wide(path);
    if (!wide.ok) return result;
    // A name that stands (a dangling link too) but cannot be opened is unreadable.
    if (GetFileAttributesW(wide.text) == INVALID_FILE_ATTRIBUTES) {
        result.outcome = missingError(GetLastError()) ? ReadOutcome::Missing : ReadOutcome::Unreadable;
        return result;
    }
    result.outcome = ReadOutcome::Unreadable;
    // A file held open without sharing (locked) cannot be opened: unreadable.
    const HANDLE file = CreateFileW(wide.text, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return result;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        CloseHandle(file);
        return result;
    }
    uint8_t* bytes = static_cast<uint8_t*>(buffer);
    size_t got = 0;
    bool failed = false;
    while (got < size) {
        const size_t left = size - got;
        const DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD n = 0;
        // A range locked by another program fails the read.
        if (!ReadFile(file, bytes + got, chunk, &n, nullptr)) {
            failed = true;
            break;
        }
        if (n == 0) break;
        got += n;
    }
    CloseHandle(file);
    if (failed) return result;
    result.outcome = ReadOutcome::Read;
    result.length = got;
    return result;
}

NameKind nameKindStep(const char* path) {
    const WidePath wide(path);
    return wide.ok ? kindOf(wide.text) : NameKind::Missing;
}

FileHandle createNewStep(const char* path) {
    const WidePath wide(path);
    if (!wide.ok) return NO_FILE;
    // CREATE_NEW fails on anything at the name, a link included, which the
    // flag keeps from being followed.
    const HANDLE file = CreateFileW(wide.text, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    return file == INVALID_HANDLE_VALUE ? NO_FILE : reinterpret_cast<FileHandle>(file);
}

bool writeStep(FileHandle file, const void* bytes, size_t size) {
    return writeAll(reinterpret_cast<HANDLE>(file), static_cast<const uint8_t*>(bytes), size);
}

bool flushStep(FileHandle file) { return FlushFileBuffers(reinterpret_cast<HANDLE>(file)) != 0; }

bool closeStep(FileHandle file) { return CloseHandle(reinterpret_cast<HANDLE>(file)) != 0; }

bool renameStep(const char* from, const char* to) {
    const WidePath source(from);
    const WidePath target(to);
    if (!source.ok || !target.ok) return false;
    // A link at the target is replaced itself, like a file.
    return MoveFileExW(source.text, target.text, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool removeStep(const char* path) {
    WidePath wide(path);
    if (!wide.ok) return false;
    const DWORD attributes = GetFileAttributesW(wide.text);
    if (attributes == INVALID_FILE_ATTRIBUTES) return missingError(GetLastError());
    bool removed = false;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        // A folder in the way of one of our names goes with all it holds.
        removed = removeTree(wide.text, std::wcslen(wide.text), 0);
    } else {
        removed = removeEntry(wide.text, attributes);
    }
    return removed && kindOf(wide.text) == NameKind::Missing;
}

bool syncFolderStep(const char* path) {
    const WidePath wide(path);
    if (!wide.ok || kindOf(wide.text) != NameKind::Folder) return false;
    // NTFS flushes a folder's entries through a handle opened for writing;
    // where that is refused, they are as durable as the system makes them
    // (every rename is written through).
    const HANDLE folder = CreateFileW(wide.text, GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return true;
    FlushFileBuffers(folder);
    CloseHandle(folder);
    return true;
}

bool makeFolderStep(const char* path) {
    const WidePath wide(path);
    if (!wide.ok) return false;
    const NameKind kind = kindOf(wide.text);
    if (kind != NameKind::Missing) return kind == NameKind::Folder;
    // The save root itself (under the user's local application data) is
    // made on the way.
    const wchar_t* root = saveRoot();
    if (root[0] != L'\0' && kindOf(root) == NameKind::Missing) CreateDirectoryW(root, nullptr);
    if (!CreateDirectoryW(wide.text, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    return kindOf(wide.text) == NameKind::Folder;
}

}  // namespace

const FileSteps win32FileSteps{readFileStep, nameKindStep, createNewStep, writeStep,  flushStep,
                              closeStep,    renameStep,   removeStep,    syncFolderStep, makeFolderStep};
