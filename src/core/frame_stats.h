// SPDX-License-Identifier: GPL-2.0-or-later
// Frame statistics for measuring the real game: one line per frame shown,
// "<microseconds since the program started> <scene> <date yyyymmdd> <build us> <show us>",
// where the scene is the one whose call drew the frame, build the time from
// that call to the present and show the time the present took to put the
// frame on screen (without the wait for the display).
#pragma once
#include <cstdint>

// Starts writing to `path`; false when it cannot be created.
bool openFrameStats(const char* path);
void closeFrameStats();
// The main loop, before each scene call.
void frameStatsSceneCall();
// The backend, once a frame is on screen: when its present began and ended.
void frameStatsPresent(uint64_t showStartMicros, uint64_t showEndMicros);
