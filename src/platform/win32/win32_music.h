// SPDX-License-Identifier: GPL-2.0-or-later
// Music through Windows' own MIDI. The game's commands are media-control
// strings already; they go to the MCI sequencer with the piece's path made
// whole, and the end of a piece comes back to the window as MM_MCINOTIFY.
// With no MIDI output at all every command is skipped: the game runs
// silently, with no dialog and no delay.
#pragma once
#include <windows.h>

#include <cstddef>

// Starts the music for the window that is told when a piece ends.
void openMusic(HWND notifyWindow);
void closeMusic();
// Plays a game command: "Open data/x.mid Alias WAV01",
// "Play WAV01 from 0 notify", "Close WAV01".
void musicCommand(const char* command);
// Whether a MIDI output exists (checked by openMusic).
bool musicAvailable();
// Commands handed to the sequencer since openMusic.
int mciCommandsSent();

// The MCI string for a game command; false when it has none.
bool mciCommandFor(const char* command, wchar_t* out, size_t size);
// The music event's code for a notification: 1 when the piece ended by
// itself (to be played again), 2 when it was stopped, replaced or failed.
int musicDoneCode(unsigned notifyFlag);
