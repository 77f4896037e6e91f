// The SDL2 backend: a full-screen desktop window with a 640 x 480 logical size,
// scaled with nearest-neighbour and letterboxed; MIDI music through SDL_mixer.
#include "shell/sdl/sdl_backend.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "shell/backend.h"

namespace {
SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;
SDL_Texture* texture = nullptr;
uint32_t argb[SCREEN_WIDTH * SCREEN_HEIGHT];
double nextTickMs = 0;
constexpr double FRAME_MS = 1000.0 / 60.0;

// Music state.
bool audioOpen = false;
Mix_Music* piece = nullptr;
Uint32 musicEventType = 0;
SDL_atomic_t haltRequested;
constexpr const char* SOUND_FONT = "/usr/share/sounds/sf2/TimGM6mb.sf2";

void musicFinished() {
    // Runs on the audio thread, or inside Mix_HaltMusic on the main thread.
    SDL_Event event{};
    event.type = musicEventType;
    event.user.code = SDL_AtomicGet(&haltRequested) != 0 ? 2 : 1;
    SDL_PushEvent(&event);
}

void haltMusic() {
    SDL_AtomicSet(&haltRequested, 1);
    Mix_HaltMusic();
    SDL_AtomicSet(&haltRequested, 0);
}

void openAudio() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    Mix_Init(MIX_INIT_MID);
    Mix_SetSoundFonts(SOUND_FONT);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    audioOpen = true;
    Mix_HookMusicFinished(musicFinished);
}

void music(const char* command) {
    const MusicCommand parsed = parseMusicCommand(command);
    if (!audioOpen) return;
    switch (parsed.verb) {
        case MusicVerb::Open:
            if (piece == nullptr) piece = Mix_LoadMUS(parsed.file);
            break;
        case MusicVerb::Play:
            if (piece == nullptr) break;
            if (Mix_PlayingMusic() != 0) haltMusic();
            Mix_PlayMusic(piece, 0);
            break;
        case MusicVerb::Close:
            if (piece == nullptr) break;
            haltMusic();
            Mix_FreeMusic(piece);
            piece = nullptr;
            break;
        case MusicVerb::Unknown:
            break;
    }
}

}  // namespace

void sdlShowFrame(const uint8_t* pixels, int pitch, const PaletteEntry* palette) {
    uint32_t colors[256];
    for (int i = 0; i < 256; ++i) {
        colors[i] = 0xFF000000u | (uint32_t{palette[i].red} << 16) | (uint32_t{palette[i].green} << 8) |
                    palette[i].blue;
    }
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        const uint8_t* row = pixels + y * pitch;
        uint32_t* out = argb + y * SCREEN_WIDTH;
        for (int x = 0; x < SCREEN_WIDTH; ++x) out[x] = colors[row[x]];
    }
    SDL_UpdateTexture(texture, nullptr, argb, SCREEN_WIDTH * 4);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderPresent(renderer);
}

namespace {
void present(const uint8_t* pixels, int pitch, const PaletteEntry* palette) {
    sdlShowFrame(pixels, pitch, palette);
    // Pace to the next 1/60 s tick when the driver has no vsync of its own.
    const double now = static_cast<double>(SDL_GetPerformanceCounter()) * 1000.0 /
                       static_cast<double>(SDL_GetPerformanceFrequency());
    nextTickMs += FRAME_MS;
    if (now > nextTickMs + 4 * FRAME_MS || now < nextTickMs - 4 * FRAME_MS) nextTickMs = now;
    if (now + 1.0 < nextTickMs) SDL_Delay(static_cast<Uint32>(nextTickMs - now));
}

uint32_t millis() { return SDL_GetTicks(); }

void readInput(InputState& input) {
    SDL_PumpEvents();
    int wx = 0;
    int wy = 0;
    const Uint32 buttons = SDL_GetMouseState(&wx, &wy);
    float lx = 0;
    float ly = 0;
    SDL_RenderWindowToLogical(renderer, wx, wy, &lx, &ly);
    int x = static_cast<int>(lx);
    int y = static_cast<int>(ly);
    x = x < 0 ? 0 : (x >= SCREEN_WIDTH ? SCREEN_WIDTH - 1 : x);
    y = y < 0 ? 0 : (y >= SCREEN_HEIGHT ? SCREEN_HEIGHT - 1 : y);
    input.cursor = Point{x, y};
    input.leftButton = (buttons & SDL_BUTTON_LMASK) != 0;
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    input.enter = keys[SDL_SCANCODE_RETURN] != 0 || keys[SDL_SCANCODE_KP_ENTER] != 0;
    input.up = keys[SDL_SCANCODE_UP] != 0;
    input.down = keys[SDL_SCANCODE_DOWN] != 0;
    input.f = keys[SDL_SCANCODE_F] != 0;
}

bool nextEvent(PlatformEvent& out) {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (event.type == SDL_QUIT) {
            out = PlatformEvent{EventKind::Close, 0};
            return true;
        }
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) {
            out = PlatformEvent{EventKind::Escape, 0};
            return true;
        }
        if (musicEventType != 0 && event.type == musicEventType) {
            out = PlatformEvent{EventKind::MusicDone, event.user.code};
            return true;
        }
    }
    return false;
}

bool lockAllowed() { return true; }

void restoreDisplay() {
    if (window != nullptr) SDL_SetWindowFullscreen(window, 0);
}

const Backend sdlBackend{present, millis, readInput, nextEvent, music, lockAllowed, restoreDisplay};
}  // namespace

bool sdlBackendOpen() {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) return false;
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // The window covers the whole desktop even where no window manager makes
    // it full screen; the picture is scaled into it.
    SDL_DisplayMode desktop{};
    int width = SCREEN_WIDTH;
    int height = SCREEN_HEIGHT;
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0) {
        width = desktop.w;
        height = desktop.h;
    }
    window = SDL_CreateWindow("Direct X", 0, 0, width, height,
                              SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
    if (window == nullptr) return false;
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (renderer == nullptr) renderer = SDL_CreateRenderer(window, -1, 0);
    if (renderer == nullptr) return false;
    SDL_RenderSetLogicalSize(renderer, SCREEN_WIDTH, SCREEN_HEIGHT);
    texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, SCREEN_WIDTH,
                                SCREEN_HEIGHT);
    if (texture == nullptr) return false;
    SDL_ShowCursor(SDL_DISABLE);
    SDL_RaiseWindow(window);
    musicEventType = SDL_RegisterEvents(1);
    openAudio();
    setBackend(&sdlBackend);
    return true;
}

void sdlBackendClose() {
    if (audioOpen) {
        if (piece != nullptr) {
            haltMusic();
            Mix_FreeMusic(piece);
            piece = nullptr;
        }
        Mix_CloseAudio();
        Mix_Quit();
        audioOpen = false;
    }
    if (texture != nullptr) SDL_DestroyTexture(texture);
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    if (window != nullptr) SDL_DestroyWindow(window);
    texture = nullptr;
    renderer = nullptr;
    window = nullptr;
    SDL_Quit();
}
