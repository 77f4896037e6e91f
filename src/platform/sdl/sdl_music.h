// SPDX-License-Identifier: GPL-2.0-or-later
// MIDI music: one FluidSynth synthesizer with the General MIDI soundfont,
// made once at start-up on its own thread, rendered into an SDL audio device.
// A piece is read whole at its open, so switching pieces costs no frame.
// Without an audio device every command is silently skipped.
#pragma once
#include <SDL.h>

// Opens the audio device; `doneEvent` is the event type posted when a piece
// stops (code 1 when it ended by itself, 2 when it was halted).
void openMusic(Uint32 doneEvent);
void closeMusic();
// Plays a media-control command: open, play or close.
void musicCommand(const char* command);
