// The program entry: the SDL2 backend and the main loop.
#include <cstdio>
#include <cstring>

#include "shell/frame_stats.h"
#include "shell/main_loop.h"
#include "shell/reset.h"
#include "shell/sdl/sdl_backend.h"
#include "state/save_writer.h"

int main(int argc, char** argv) {
    resetProgramState();
    // --stats FILE: a line per frame shown, for the measuring scripts.
    if (argc == 3 && std::strcmp(argv[1], "--stats") == 0 && !openFrameStats(argv[2])) {
        std::fprintf(stderr, "kabusim: cannot write %s\n", argv[2]);
        return 1;
    }
    if (!sdlBackendOpen()) {
        sdlBackendClose();
        return 0;
    }
    startup();
    setBackgroundSaving(true);
    const int code = runMainLoop();
    sdlBackendClose();
    closeFrameStats();
    return code;
}
