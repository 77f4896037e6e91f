// SPDX-License-Identifier: GPL-2.0-or-later
// The few calls of Windows' multimedia library the backend makes. Its header
// declares its own timeGetTime and mciSendString, which the game's platform
// layer also names, so only win32_winmm.cpp includes it.
#pragma once
#include <windows.h>

namespace winmm {
// The message an MCI notification arrives as (MM_MCINOTIFY).
constexpr UINT NOTIFY_MESSAGE = 0x3B9;
// The number of MIDI outputs.
unsigned midiOutputs();
// Sends an MCI command string; `notify` gets the notification it asks for.
bool sendMci(const wchar_t* command, HWND notify);
// Whether a notification's flag says the command ended as it should.
bool notifiedSuccess(WPARAM flag);
// The system timer at 1 ms, and back.
bool raiseTimerResolution();
void lowerTimerResolution();
}  // namespace winmm
