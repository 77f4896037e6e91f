// SPDX-License-Identifier: GPL-2.0-or-later
// The game's window: the video system's start with a plain message when it
// cannot, full screen over the desktop or a resizable window, and Alt+Enter
// to switch between the two.
#pragma once

struct SDL_Window;
union SDL_Event;

// Starts SDL's video and timer. False when there is no display to show the
// game on; videoProblem() then says what is missing and what to do.
bool startVideo();
// Opens the window full screen, or in a window with `windowed`; nullptr on
// failure (with videoProblem() set).
SDL_Window* openGameWindow(bool windowed);
const char* videoProblem();
// A message box with `text` (UTF-8) on the desktop, for a player who started
// the game without a terminal; waits for OK. False when no box could be shown.
bool showMessageBox(const char* text);

// Window events the game itself does not see: Alt+Enter switches between
// full screen and window. True when the event was used up here.
bool handleWindowEvent(SDL_Window* window, const SDL_Event& event);
// Whether an Alt key is down (Enter then belongs to Alt+Enter).
bool altHeld();
