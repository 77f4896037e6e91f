// SPDX-License-Identifier: GPL-2.0-or-later
// The Windows backend: a window over the whole monitor or a resizable one,
// the picture scaled into a 32-bit DIB section and shown with GDI, input in
// picture coordinates, the performance-counter clock, sleeping on a waitable
// timer between frames, and music through the MCI sequencer.
#pragma once
#include <cstddef>

// Installs the backend, runs the start-up while the window opens, and shows
// the window (full screen unless the options ask for a window). False when
// the window cannot be made; `problem` then says why (UTF-8).
bool win32BackendOpen(char* problem, size_t size);
// Closes music and the window.
void win32BackendClose();
