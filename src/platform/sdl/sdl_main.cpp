// SPDX-License-Identifier: GPL-2.0-or-later
// The program entry: options, the data folder, the SDL2 backend and the main loop.
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "core/frame_stats.h"
#include "core/main_loop.h"
#include "platform/posix/posix_data_folder.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_window.h"
#include "platform/shared/options.h"
#include "program/program.h"
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
    if (!posixEnterDataFolder(stderr)) return 1;
    // A second copy on the same saves writes nothing, not even statistics.
    char message[PATH_MAX + 256];
    if (posixHoldGameFolder(message, sizeof message) == FolderHold::Taken) {
        std::fprintf(stderr, "%s\n", message);
        // Started from the desktop, the player sees it in a box, in short lines.
        if (isatty(STDERR_FILENO) == 0 &&
            (std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr)) {
            char folder[PATH_MAX];
            if (getcwd(folder, sizeof folder) == nullptr) std::snprintf(folder, sizeof folder, ".");
            char text[PATH_MAX + 512];
            std::snprintf(
                text, sizeof text, "%s%s/savedat\n\n%s",
                reinterpret_cast<const char*>(u8"カブシムはもう起動しています。\n"
                                              u8"同じセーブを使うので、このゲームは何も書かずに終わります。\n"
                                              u8"セーブのフォルダー: "),
                folder,
                "Another copy of the game is running with these saves.\n"
                "This one ends and leaves them as they are.");
            showMessageBox(text);
        }
        return 1;
    }
    if (!posixLoadGlyphFile(stderr)) return 1;
    if (programOptions.statsFile != nullptr && !openFrameStats(programOptions.statsFile)) {
        std::fprintf(stderr, "kabusim: cannot write the statistics file %s\n", programOptions.statsFile);
        return 1;
    }
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
