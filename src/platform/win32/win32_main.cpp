// SPDX-License-Identifier: GPL-2.0-or-later
// The program entry on Windows: options, the folders of data and saves, the
// Win32 backend and the main loop. What it has to say goes to a message box
// (or to the standard output or error it was given).
#include <cstdio>

#include "program/program.h"
#include "platform/win32/win32_data_folder.h"
#include "core/frame_stats.h"
#include "core/main_loop.h"
#include "platform/shared/options.h"
#include "platform/win32/win32_backend.h"
#include "platform/win32/win32_messages.h"
#include "state/save_writer.h"

namespace {
char message[8192];
}  // namespace

int main(int argc, char** argv) {
    resetProgramState();
    FILE* caught = catchText();
    const OptionsOutcome outcome = parseOptions(argc, argv, programOptions, caught, caught);
    takeCaughtText(caught, message, sizeof message);
    switch (outcome) {
        case OptionsOutcome::Done:
            showInformation(message);
            return 0;
        case OptionsOutcome::BadOption:
            showProblem(message);
            return 2;
        case OptionsOutcome::Run:
            break;
    }
    if (programOptions.statsFile != nullptr && !openFrameStats(programOptions.statsFile)) {
        std::snprintf(message, sizeof message, "kabusim: cannot write the statistics file %s", programOptions.statsFile);
        showProblem(message);
        return 1;
    }
    caught = catchText();
    const bool found = win32EnterDataFolder(caught);
    takeCaughtText(caught, message, sizeof message);
    if (!found) {
        showProblem(message);
        return 1;
    }
    if (!win32BackendOpen(message, sizeof message)) {
        showProblem(message);
        win32BackendClose();
        closeFrameStats();
        return 1;
    }
    setBackgroundSaving(true);
    const int code = runMainLoop();
    win32BackendClose();
    closeFrameStats();
    return code;
}
