// SPDX-License-Identifier: GPL-2.0-or-later
// The program entry on Windows: options, the folders of data and saves, the
// lock on the saves, the glyph file, the Win32 backend and the main loop.
// What it has to say goes to a message box in Japanese and English, or to
// the console or the output it was given (win32_messages.h).
#include "core/frame_stats.h"
#include "core/main_loop.h"
#include "platform/shared/options.h"
#include "platform/win32/win32_backend.h"
#include "platform/win32/win32_data_folder.h"
#include "platform/win32/win32_messages.h"
#include "program/program.h"
#include "state/save_writer.h"

namespace {
Message message;
char reason[1024];
}  // namespace

int main(int argc, char** argv) {
    resetProgramState();
    const char* unknown = nullptr;
    switch (readOptions(argc, argv, programOptions, &unknown)) {
        case OptionsRequest::Help:
            sayHelp(message);
            showInformation(message);
            return 0;
        case OptionsRequest::Version:
            sayVersion(message);
            showInformation(message);
            return 0;
        case OptionsRequest::Unknown:
            sayUnknownOption(message, unknown);
            showProblem(message);
            return 2;
        case OptionsRequest::Run:
            break;
    }
    if (!win32EnterDataFolder(message)) {
        showProblem(message);
        return 1;
    }
    // A second copy on the same saves writes nothing, not even statistics.
    if (win32HoldSaveFolder(message) == FolderHold::Taken) {
        showProblem(message);
        return 1;
    }
    if (!win32LoadGlyphFile(message)) {
        showProblem(message);
        return 1;
    }
    if (programOptions.statsFile != nullptr && !openFrameStats(programOptions.statsFile)) {
        sayNoStatisticsFile(message, programOptions.statsFile);
        showProblem(message);
        return 1;
    }
    if (!win32BackendOpen(reason, sizeof reason)) {
        sayNoWindow(message, reason);
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
