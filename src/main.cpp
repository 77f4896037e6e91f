// The program entry: the SDL2 backend and the main loop.
#include "shell/main_loop.h"
#include "shell/reset.h"
#include "shell/sdl/sdl_backend.h"
#include "state/save_writer.h"

int main() {
    resetProgramState();
    if (!sdlBackendOpen()) {
        sdlBackendClose();
        return 0;
    }
    startup();
    setBackgroundSaving(true);
    const int code = runMainLoop();
    sdlBackendClose();
    return code;
}
