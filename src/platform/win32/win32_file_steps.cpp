// SPDX-License-Identifier: GPL-2.0-or-later
// The file steps on Windows. Links and junctions are never followed when
// writing or removing: a new file is created only where nothing stands, and a
// link in the way is removed itself, never what it points to. Under Wine the
// same holds for the Unix links it shows, as far as Wine lets a program
// remove one (win32 steps cannot remove a Unix link to a folder there).
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

// What stands at a name, links not followed.
enum class Entry { Missing, File, Folder, Link, Device };

struct Found {
    Entry entry = Entry::Missing;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    bool wineFolderLink = false;  // a Unix link to a folder under Wine
};

bool underWine() {
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

// The path with every link resolved, as the system names it.
bool finalPath(const wchar_t* path, wchar_t* out, DWORD size) {
    const HANDLE handle =
        CreateFileW(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const DWORD length = GetFinalPathNameByHandleW(handle, out, size, FILE_NAME_NORMALIZED);
    CloseHandle(handle);
    return length > 0 && length < size;
}

// Wine shows a Unix link to a file as the file itself, with no attribute or
// reparse tag of a link, and removing it removes the file it points to. The
// system resolves every link in a final path, so a link's final path is not
// its folder's final path with its own name.
bool wineLinkToFile(const wchar_t* path) {
    if (!underWine()) return false;
    const wchar_t* slash = std::wcsrchr(path, L'\\');
    wchar_t folder[WIDE_PATH_MAX];
    if (slash == nullptr) {
        std::wcscpy(folder, L".");
    } else {
        std::wmemcpy(folder, path, static_cast<size_t>(slash - path));
        folder[slash - path] = L'\0';
        if (folder[0] == L'\0' || (slash - path == 2 && folder[1] == L':')) std::wcscat(folder, L"\\");
    }
    wchar_t ownFinal[WIDE_PATH_MAX];
    wchar_t folderFinal[WIDE_PATH_MAX];
    if (!finalPath(path, ownFinal, WIDE_PATH_MAX) || !finalPath(folder, folderFinal, WIDE_PATH_MAX))
        return false;
    wchar_t expected[2 * WIDE_PATH_MAX];
    const size_t folderLength = std::wcslen(folderFinal);
    const bool endsInSlash = folderLength > 0 && folderFinal[folderLength - 1] == L'\\';
    std::swprintf(expected, 2 * WIDE_PATH_MAX, L"%ls%ls%ls", folderFinal, endsInSlash ? L"" : L"\\",
                  slash == nullptr ? path : slash + 1);
    return _wcsicmp(expected, ownFinal) != 0;
}

// A symbolic link or a junction (a name that stands for another), and Wine's
// Unix links, which it shows as a folder with the reparse-point attribute and
// no tag, or as a plain file. Other reparse points (a placeholder of a cloud
// folder) are the file or folder they hold.
Found examine(const wchar_t* path) {
    Found found;
    found.attributes = GetFileAttributesW(path);
    if (found.attributes == INVALID_FILE_ATTRIBUTES) return found;
    const bool folder = (found.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if ((found.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        WIN32_FIND_DATAW data;
        const HANDLE search = FindFirstFileW(path, &data);
        DWORD tag = 0;
        if (search != INVALID_HANDLE_VALUE) {
            tag = data.dwReserved0;
            FindClose(search);
        }
        if (tag == 0 || IsReparseTagNameSurrogate(tag)) {
            found.entry = Entry::Link;
            found.wineFolderLink = tag == 0 && folder;
            return found;
        }
    }
    if (folder) {
        found.entry = Entry::Folder;
    } else if ((found.attributes & FILE_ATTRIBUTE_DEVICE) != 0) {
        found.entry = Entry::Device;
    } else {
        found.entry = wineLinkToFile(path) ? Entry::Link : Entry::File;
    }
    return found;
}

NameKind kindOf(const wchar_t* path) {
    switch (examine(path).entry) {
        case Entry::Missing:
            return NameKind::Missing;
        case Entry::File:
            return NameKind::File;
        case Entry::Folder:
            return NameKind::Folder;
        case Entry::Link:
        case Entry::Device:
            break;
    }
    return NameKind::Other;
}

// A folder itself, or a link that leads to one (it serves as the folder).
bool leadsToFolder(const wchar_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
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

// Wine removes what a Unix link points to when asked to remove the link, but
// a rename over a link to a file replaces the link itself: an empty file of
// our own takes the link's place and is then removed.
bool removeWineLinkToFile(const wchar_t* path) {
    wchar_t stand[WIDE_PATH_MAX + 16];
    std::swprintf(stand, WIDE_PATH_MAX + 16, L"%ls.unlink", path);
    if (examine(stand).entry == Entry::File) DeleteFileW(stand);  // left by a cut removal
    const HANDLE file =
        CreateFileW(stand, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    if (!MoveFileExW(stand, path, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(stand);
        return false;
    }
    return DeleteFileW(path) != 0;
}

// Removes one name that is not a real folder: a file (read-only or not), or
// a link of any kind, itself and never what it points to. Wine cannot remove
// a Unix link to a folder without removing the folder: that name stays.
bool removeEntry(const wchar_t* path, const Found& found) {
    if (found.entry == Entry::Link) {
        if (found.wineFolderLink) return false;
        if (underWine() && (found.attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            return removeWineLinkToFile(path);
    }
    if ((found.attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(path, found.attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    }
    if ((found.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return RemoveDirectoryW(path) != 0;
    return DeleteFileW(path) != 0;
}

// A folder with all it holds; links inside are removed themselves, never
// entered, and a link Wine cannot remove keeps the folder.
bool removeTree(wchar_t* path, size_t length, int depth) {
    if (depth > 64 || length + 3 >= WIDE_PATH_MAX) return false;
    std::wcscpy(path + length, L"\\*");
    WIN32_FIND_DATAW data;
    const HANDLE search = FindFirstFileExW(path, FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
    path[length] = L'\0';
    bool ok = true;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const wchar_t* name = data.cFileName;
            if (std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0) continue;
            const size_t nameLength = std::wcslen(name);
            if (length + 1 + nameLength >= WIDE_PATH_MAX) {
                ok = false;
                continue;
            }
            path[length] = L'\\';
            std::wcscpy(path + length + 1, name);
            const Found found = examine(path);
            if (found.entry == Entry::Folder) {
                ok = removeTree(path, length + 1 + nameLength, depth + 1) && ok;
            } else if (found.entry != Entry::Missing) {
                ok = removeEntry(path, found) && ok;
            }
            path[length] = L'\0';
        } while (FindNextFileW(search, &data));
        FindClose(search);
    }
    return ok && RemoveDirectoryW(path) != 0;
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

HANDLE createExclusive(const wchar_t* path) {
    return CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

FileHandle createNewStep(const char* path) {
    const WidePath wide(path);
    if (!wide.ok) return NO_FILE;
    // CREATE_NEW fails on anything at the name, a link included, which the
    // flag keeps from being followed.
    HANDLE file = createExclusive(wide.text);
    // Wine shows a Unix link that leads nowhere as no name at all, yet it
    // stands: it is replaced by a file of our own, never followed.
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS && underWine() &&
        GetFileAttributesW(wide.text) == INVALID_FILE_ATTRIBUTES && removeWineLinkToFile(wide.text)) {
        file = createExclusive(wide.text);
    }
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
    const Found found = examine(wide.text);
    if (found.entry == Entry::Missing) return missingError(GetLastError());
    // A folder in the way of one of our names goes with all it holds.
    const bool removed = found.entry == Entry::Folder ? removeTree(wide.text, std::wcslen(wide.text), 0)
                                                      : removeEntry(wide.text, found);
    return removed && kindOf(wide.text) == NameKind::Missing;
}

bool syncFolderStep(const char* path) {
    const WidePath wide(path);
    if (!wide.ok || !leadsToFolder(wide.text)) return false;
    // NTFS flushes a folder's entries through a handle opened for writing;
    // where that is refused, they are as durable as the system makes them
    // (every rename is written through).
    const HANDLE folder = CreateFileW(wide.text, GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return true;
    FlushFileBuffers(folder);
    CloseHandle(folder);
    return true;
}

bool makeFolderStep(const char* path) {
    const WidePath wide(path);
    if (!wide.ok) return false;
    // A link to a folder serves as the folder.
    if (kindOf(wide.text) != NameKind::Missing) return leadsToFolder(wide.text);
    // The save root itself (under the user's local application data) is
    // made on the way.
    const wchar_t* root = saveRoot();
    if (root[0] != L'\0' && kindOf(root) == NameKind::Missing) CreateDirectoryW(root, nullptr);
    if (!CreateDirectoryW(wide.text, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    return leadsToFolder(wide.text);
}

}  // namespace

const FileSteps win32FileSteps{readFileStep, nameKindStep, createNewStep, writeStep,  flushStep,
                              closeStep,    renameStep,   removeStep,    syncFolderStep, makeFolderStep};
