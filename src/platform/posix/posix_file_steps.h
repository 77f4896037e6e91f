// SPDX-License-Identifier: GPL-2.0-or-later
// The file steps on POSIX systems (Linux, and the browser's file system,
// which emscripten gives the same calls).
#pragma once
#include "platform/file_steps.h"

extern const FileSteps posixFileSteps;
