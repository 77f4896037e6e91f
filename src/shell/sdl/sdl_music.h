// MIDI music through SDL_mixer with the General MIDI soundfont. Without an
// audio device every command is silently skipped.
#pragma once
#include <SDL.h>

// Opens the audio device; `doneEvent` is the event type posted when a piece
// stops (code 1 when it ended by itself, 2 when it was halted).
void openMusic(Uint32 doneEvent);
void closeMusic();
// Plays a media-control command: open, play or close.
void musicCommand(const char* command);
