// The music commands on FluidSynth with the dummy audio device: a piece that
// ends by itself reports a normal end (and so is played again by the window
// procedure); a piece that is closed or replaced does not.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "shell/sdl/sdl_music.h"
#include "support/test_support.h"

namespace {
// A type-0 MIDI file with one short note.
void writeShortMidi(const char* path) {
    const std::vector<uint8_t> track = {0x00, 0xC0, 0x00,        // piano
                                        0x00, 0x90, 0x3C, 0x60,  // note on
                                        0x30, 0x80, 0x3C, 0x40,  // note off after 48 ticks
                                        0x00, 0xFF, 0x2F, 0x00};
    std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0,
                                 static_cast<uint8_t>(track.size())};
    file.insert(file.end(), track.begin(), track.end());
    FILE* out = std::fopen(path, "wb");
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
}

// Waits up to `ms` for the end-of-piece event; returns its code, 0 if none.
int waitForEnd(Uint32 type, int ms) {
    for (int waited = 0; waited < ms; waited += 10) {
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            if (event.type == type) return event.user.code;
        }
        SDL_Delay(10);
    }
    return 0;
}
}  // namespace

TEST(SdlMusic, NormalEndIsReportedAndHaltsAreNot) {
    testing_support::freshRun();
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER), 0);
    const Uint32 type = SDL_RegisterEvents(1);
    openMusic(type);
    writeShortMidi("short.mid");

    musicCommand("Open short.mid Alias WAV01");
    musicCommand("Play WAV01 from 0 notify");
    EXPECT_EQ(waitForEnd(type, 30000), 1);  // ended by itself

    // Played again from the start, then closed halfway: no normal end.
    musicCommand("Play WAV01 from 0 notify");
    musicCommand("Close WAV01");
    EXPECT_EQ(waitForEnd(type, 10000), 2);
    EXPECT_EQ(waitForEnd(type, 1000), 0);

    // Commands on nothing open, and a missing file, fail silently.
    musicCommand("Play WAV01 from 0 notify");
    musicCommand("Close WAV01");
    musicCommand("Open data/none.mid Alias WAV01");
    musicCommand("Play WAV01 from 0 notify");
    EXPECT_EQ(waitForEnd(type, 300), 0);
    closeMusic();
    SDL_Quit();
}
