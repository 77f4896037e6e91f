// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/win32/win32_music.h"

#include <cwchar>

#include "platform/backend.h"
#include "platform/win32/win32_paths.h"
#include "platform/win32/win32_winmm.h"

namespace {
HWND notifyTarget = nullptr;
bool available = false;
int sent = 0;
}  // namespace

bool mciCommandFor(const char* command, wchar_t* out, size_t size) {
    const MusicCommand parsed = parseMusicCommand(command);
    switch (parsed.verb) {
        case MusicVerb::Open: {
            wchar_t relative[WIDE_PATH_MAX];
            wchar_t whole[WIDE_PATH_MAX];
            if (!gamePathToWide(parsed.file, relative, WIDE_PATH_MAX)) return false;
            const DWORD length = GetFullPathNameW(relative, WIDE_PATH_MAX, whole, nullptr);
            if (length == 0 || length >= WIDE_PATH_MAX) return false;
            const int made = std::swprintf(out, size, L"open \"%ls\" type sequencer alias WAV01", whole);
            return made > 0 && static_cast<size_t>(made) < size;
        }
        case MusicVerb::Play:
            return std::swprintf(out, size, L"play WAV01 from 0 notify") > 0;
        case MusicVerb::Close:
            return std::swprintf(out, size, L"close WAV01") > 0;
        case MusicVerb::Unknown:
            break;
    }
    return false;
}

int musicDoneCode(unsigned notifyFlag) { return winmm::notifiedSuccess(notifyFlag) ? 1 : 2; }

void openMusic(HWND notifyWindow) {
    notifyTarget = notifyWindow;
    sent = 0;
    available = winmm::midiOutputs() > 0;
}

void closeMusic() {
    if (available) winmm::sendMci(L"close all", nullptr);
    notifyTarget = nullptr;
}

bool musicAvailable() { return available; }

int mciCommandsSent() { return sent; }

void musicCommand(const char* command) {
    if (!available) return;
    wchar_t text[WIDE_PATH_MAX + 64];
    if (!mciCommandFor(command, text, WIDE_PATH_MAX + 64)) return;
    ++sent;
    // A failure (a busy device, a missing file) leaves the game silent.
    winmm::sendMci(text, notifyTarget);
}
