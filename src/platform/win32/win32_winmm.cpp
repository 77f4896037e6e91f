// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/win32/win32_winmm.h"

#include <mmsystem.h>

static_assert(winmm::NOTIFY_MESSAGE == MM_MCINOTIFY);

namespace winmm {
unsigned midiOutputs() { return midiOutGetNumDevs(); }

bool sendMci(const wchar_t* command, HWND notify) { return mciSendStringW(command, nullptr, 0, notify) == 0; }

bool notifiedSuccess(WPARAM flag) { return flag == MCI_NOTIFY_SUCCESSFUL; }

bool raiseTimerResolution() { return timeBeginPeriod(1) == TIMERR_NOERROR; }

void lowerTimerResolution() { timeEndPeriod(1); }
}  // namespace winmm
