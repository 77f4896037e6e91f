// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/win32/win32_paths.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

namespace {
wchar_t dataFolder[WIDE_PATH_MAX];
wchar_t saveFolder[WIDE_PATH_MAX];

void keep(wchar_t* into, const wchar_t* root) {
    into[0] = L'\0';
    if (root != nullptr && std::wcslen(root) < WIDE_PATH_MAX) std::wcscpy(into, root);
}

// `root` + '\' + `rest` (narrow, in the program's code page), with '/' as '\'.
bool join(const wchar_t* root, const char* rest, wchar_t* out, size_t size) {
    size_t at = 0;
    if (root[0] != L'\0') {
        at = std::wcslen(root);
        if (at + 1 >= size) return false;
        std::wmemcpy(out, root, at);
        out[at++] = L'\\';
    }
    const int restLength = static_cast<int>(std::strlen(rest));
    if (restLength == 0) {
        if (at > 0) --at;  // the root itself
        out[at] = L'\0';
        return at > 0;
    }
    const int room = static_cast<int>(size - at) - 1;
    const int made = MultiByteToWideChar(CP_ACP, 0, rest, restLength, out + at, room);
    if (made <= 0) return false;
    for (int i = 0; i < made; ++i) {
        if (out[at + i] == L'/') out[at + i] = L'\\';
    }
    out[at + made] = L'\0';
    return true;
}

bool startsWith(const char* path, const char* prefix) {
    return std::strncmp(path, prefix, std::strlen(prefix)) == 0;
}
}  // namespace

void setGameRoots(const wchar_t* dataRoot, const wchar_t* saveRootFolder) {
    keep(dataFolder, dataRoot);
    keep(saveFolder, saveRootFolder);
}

const wchar_t* saveRoot() { return saveFolder; }

bool gamePathToWide(const char* path, wchar_t* out, size_t size) {
    if (size == 0) return false;
    if (dataFolder[0] != L'\0' && startsWith(path, "data/")) return join(dataFolder, path + 5, out, size);
    if (saveFolder[0] != L'\0' && startsWith(path, "savedat") && (path[7] == '\0' || path[7] == '/')) {
        return join(saveFolder, path, out, size);
    }
    return join(L"", path, out, size);
}
