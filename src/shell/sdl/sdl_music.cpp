#include "shell/sdl/sdl_music.h"

#include <SDL_mixer.h>

#include "shell/backend.h"

namespace {
constexpr const char* SOUND_FONT = "/usr/share/sounds/sf2/TimGM6mb.sf2";
bool audioOpen = false;
Mix_Music* piece = nullptr;
Uint32 musicEventType = 0;
SDL_atomic_t haltRequested;

// Runs on the audio thread when a piece ends, or inside Mix_HaltMusic.
void musicFinished() {
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
}  // namespace

void openMusic(Uint32 doneEvent) {
    musicEventType = doneEvent;
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

void closeMusic() {
    if (!audioOpen) return;
    if (piece != nullptr) {
        haltMusic();
        Mix_FreeMusic(piece);
        piece = nullptr;
    }
    Mix_HookMusicFinished(nullptr);
    Mix_CloseAudio();
    Mix_Quit();
    audioOpen = false;
}

void musicCommand(const char* command) {
    const MusicCommand parsed = parseMusicCommand(command);
    if (!audioOpen) return;
    switch (parsed.verb) {
        case MusicVerb::Open:
            // Like the alias it stands for, a piece already open stays open.
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
