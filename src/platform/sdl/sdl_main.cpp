// SPDX-License-Identifier: GPL-2.0-or-later
// The program entry: options, the data folder, the SDL2 backend and the main loop.
#include <cstdio>

#include "platform/posix/posix_data_folder.h"
#include "core/frame_stats.h"
#include "core/main_loop.h"
#include "platform/shared/options.h"
#include "program/program.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_window.h"
#include "state/save_writer.h"

int main(int argc, char** argv) {
    resetProgramState();
    switch (parseOptions(argc, argv, programOptions, stdout, stderr)) {
        case OptionsOutcome::Done:
            return 0;
        case OptionsOutcome::BadOption:
            return 2;
        case OptionsOutcome::Run:
            break;
    }
    if (programOptions.statsFile != nullptr && !openFrameStats(programOptions.statsFile)) {
        std::fprintf(stderr, "kabusim: cannot write the statistics file %s\n", programOptions.statsFile);
        return 1;
    }
    if (!posixEnterDataFolder(stderr)) return 1;
    if (!sdlBackendOpenAndStart()) {
        std::fprintf(stderr, "kabusim: %s\n", videoProblem());
        sdlBackendClose();
        return 1;
    }
    setBackgroundSaving(true);
    const int code = runMainLoop();
    sdlBackendClose();
    closeFrameStats();
    return code;
}
