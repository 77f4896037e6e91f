// SPDX-License-Identifier: GPL-2.0-or-later
// The file steps on Windows: the wide calls on the game's names resolved
// against the data and save roots (win32_paths.h).
#pragma once
#include "platform/file_steps.h"

extern const FileSteps win32FileSteps;
