// SPDX-License-Identifier: GPL-2.0-or-later
// The game's window: full screen as a borderless window over its monitor (no
// mode switch) or a resizable window sized to the work area, Alt+Enter to
// switch, and the window messages turned into the game's events.
#pragma once
#include <windows.h>

#include "platform/backend.h"

// Registers the class and makes the window, shown; nullptr on failure.
HWND createGameWindow(HINSTANCE instance, bool windowed);
void destroyGameWindow();
HWND gameWindow();
// Switches between full screen and a window.
void toggleFullscreen();

// The game's events, queued by the window procedure.
extern EventQueue windowEvents;

// Called by the window procedure when the window must be drawn whole again.
void repaintWindow(HDC dc);
