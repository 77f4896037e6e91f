// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/sdl/sdl_music.h"

#include <fluidsynth.h>

#include <cstring>

#include "core/files.h"
#include "platform/backend.h"
#include "platform/shared/midi_length.h"

namespace {
constexpr const char* SOUND_FONT = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr int SAMPLE_RATE = 44100;
constexpr int MAX_MIDI_BYTES = 256 * 1024;

// The audio thread renders the synthesizer; everything below that both
// threads touch is changed only with the audio device locked.
SDL_AudioDeviceID device = 0;
Uint32 musicEventType = 0;
SDL_Thread* synthLoader = nullptr;
fluid_settings_t* settings = nullptr;
fluid_synth_t* synth = nullptr;    // made once, by the loader thread
fluid_player_t* player = nullptr;  // the piece being played
bool pieceOpen = false;            // the alias is open
bool playWaiting = false;          // a play sent before the synthesizer was ready
bool notifyOnEnd = false;          // a natural end is still to be reported
int64_t playedSamples = 0;         // rendered since the piece started

// The open piece's file, read whole at the open, and the sample of its end
// of track (MIDI_LENGTH_UNKNOWN when the file could not be read).
uint8_t midiBytes[MAX_MIDI_BYTES];
size_t midiSize = 0;
int64_t midiEnd = MIDI_LENGTH_UNKNOWN;

void postEnd(int code) {
    SDL_Event event{};
    event.type = musicEventType;
    event.user.code = code;
    SDL_PushEvent(&event);
}

void renderAudio(void*, Uint8* stream, int length) {
    if (synth == nullptr) {
        std::memset(stream, 0, static_cast<size_t>(length));
        return;
    }
    const int frames = length / 4;
    fluid_synth_write_s16(synth, frames, stream, 0, 2, stream, 1, 2);
    playedSamples += frames;
    // The end is reported in the buffer that holds the end of track, so the
    // replay starts with the next one. The player itself says it is done
    // seconds later: that stays for files whose end is unknown.
    if (player == nullptr || !notifyOnEnd) return;
    const bool ended = midiEnd != MIDI_LENGTH_UNKNOWN && playedSamples >= midiEnd;
    if (ended || fluid_player_get_status(player) == FLUID_PLAYER_DONE) {
        notifyOnEnd = false;
        postEnd(1);
    }
}

// Stops the piece being played; a play cut short reports no natural end.
void haltPiece() {
    if (player == nullptr) return;
    fluid_player_stop(player);
    delete_fluid_player(player);
    player = nullptr;
    fluid_synth_all_sounds_off(synth, -1);
    if (notifyOnEnd) postEnd(2);
    notifyOnEnd = false;
}

void startPiece() {
    player = new_fluid_player(synth);
    if (player == nullptr) return;
    if (fluid_player_add_mem(player, midiBytes, midiSize) != FLUID_OK ||
        fluid_player_play(player) != FLUID_OK) {
        delete_fluid_player(player);
        player = nullptr;
        return;
    }
    notifyOnEnd = true;
    playedSamples = 0;
}

// Loads the soundfont off the main thread: it takes tens of milliseconds.
int loadSynth(void*) {
    SDL_SetThreadPriority(SDL_THREAD_PRIORITY_LOW);  // start-up itself goes first
    fluid_synth_t* made = new_fluid_synth(settings);
    if (made != nullptr && fluid_synth_sfload(made, SOUND_FONT, 1) == FLUID_FAILED) {
        delete_fluid_synth(made);
        made = nullptr;
    }
    SDL_LockAudioDevice(device);
    synth = made;
    if (synth != nullptr && playWaiting) startPiece();
    playWaiting = false;
    SDL_UnlockAudioDevice(device);
    return 0;
}

bool readPiece(const char* file) {
    const FileRead read = readWholeFile(file, midiBytes, sizeof midiBytes);
    midiSize = read.outcome == ReadOutcome::Read ? read.length : 0;
    midiEnd = midiEndSample(midiBytes, midiSize, SAMPLE_RATE);
    return midiSize > 0;
}
}  // namespace

void openMusic(Uint32 doneEvent) {
    musicEventType = doneEvent;
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) {
        fluid_set_log_function(level, nullptr, nullptr);
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    SDL_AudioSpec wanted{};
    wanted.freq = SAMPLE_RATE;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 1024;
    wanted.callback = renderAudio;
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", SAMPLE_RATE);
    synthLoader = SDL_CreateThread(loadSynth, "synth", nullptr);
    SDL_PauseAudioDevice(device, 0);
}

void closeMusic() {
    if (device == 0) return;
    if (synthLoader != nullptr) SDL_WaitThread(synthLoader, nullptr);
    synthLoader = nullptr;
    SDL_LockAudioDevice(device);
    notifyOnEnd = false;
    if (synth != nullptr) haltPiece();
    SDL_UnlockAudioDevice(device);
    SDL_CloseAudioDevice(device);
    device = 0;
    if (synth != nullptr) delete_fluid_synth(synth);
    synth = nullptr;
    delete_fluid_settings(settings);
    settings = nullptr;
    pieceOpen = false;
    playWaiting = false;
    midiSize = 0;
    midiEnd = MIDI_LENGTH_UNKNOWN;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void musicCommand(const char* command) {
    const MusicCommand parsed = parseMusicCommand(command);
    if (device == 0) return;
    // Like the alias it stands for, a piece already open stays open. Nothing
    // else reads the file's bytes or its end while no piece is open.
    if (parsed.verb == MusicVerb::Open) {
        if (!pieceOpen) pieceOpen = readPiece(parsed.file);
        return;
    }
    SDL_LockAudioDevice(device);
    switch (parsed.verb) {
        case MusicVerb::Play:
            if (!pieceOpen) break;
            if (synth == nullptr) {
                playWaiting = true;
                break;
            }
            haltPiece();
            startPiece();
            break;
        case MusicVerb::Close:
            if (synth != nullptr) haltPiece();
            pieceOpen = false;
            playWaiting = false;
            break;
        case MusicVerb::Open:
        case MusicVerb::Unknown:
            break;
    }
    SDL_UnlockAudioDevice(device);
}
