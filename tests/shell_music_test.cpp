// SPDX-License-Identifier: GPL-2.0-or-later
// The length of a MIDI file up to its last end of track, and the music
// commands on FluidSynth with the dummy audio device: a piece that ends by
// itself reports a normal end (and so is played again by the window
// procedure); a piece that is closed or replaced does not.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/sdl/sdl_music.h"
#include "platform/shared/midi_length.h"
#include "support/test_support.h"

namespace {
constexpr int RATE = 44100;

// clang-format off
// A type-0 MIDI file with one short note: 48 ticks at 96 a quarter and the
// default 120 beats a minute, a quarter of a second.
std::vector<uint8_t> shortMidi() {
    const std::vector<uint8_t> track = {0x00, 0xC0, 0x00,        // piano
                                        0x00, 0x90, 0x3C, 0x60,  // note on
                                        0x30, 0x80, 0x3C, 0x40,  // note off after 48 ticks
                                        0x00, 0xFF, 0x2F, 0x00};
    std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0,
                                 static_cast<uint8_t>(track.size())};
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

// A type-1 file at 96 ticks a quarter. The conductor ends at tick 192, where
// it halves the tempo; the second track, with running status, a system
// exclusive and a text event, ends at tick 576. That is 1 s at 500,000 us a
// quarter, then 1 s at 250,000.
std::vector<uint8_t> tempoChangeMidi() {
    const std::vector<uint8_t> conductor = {
        0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,        // 500,000 us a quarter
        0x81, 0x40, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90,  // tick 192: 250,000
        0x00, 0xFF, 0x2F, 0x00};
    const std::vector<uint8_t> notes = {
        0x00, 0xC0, 0x00,                            // piano
        0x00, 0x90, 0x3C, 0x60,                      // note on
        0x60, 0x3E, 0x60,                            // tick 96: running status
        0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7,          // system exclusive
        0x00, 0xFF, 0x01, 0x04, 't', 'e', 's', 't',  // text
        0x83, 0x60, 0x80, 0x3C, 0x40,                // tick 576: note off
        0x00, 0x3E, 0x40,                            // running status
        0x00, 0xFF, 0x2F, 0x00};
    std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0, 96};
    for (const std::vector<uint8_t>* track : {&conductor, &notes}) {
        const uint8_t header[] = {'M', 'T', 'r', 'k', 0, 0, 0, static_cast<uint8_t>(track->size())};
        file.insert(file.end(), header, header + 8);
        file.insert(file.end(), track->begin(), track->end());
    }
    return file;
}
// clang-format on

int64_t endSample(const std::vector<uint8_t>& file) { return midiEndSample(file.data(), file.size(), RATE); }

void writeShortMidi(const char* path) {
    const std::vector<uint8_t> file = shortMidi();
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

TEST(MidiLength, EndOfTrackThroughTheTempoMap) {
    EXPECT_EQ(endSample(shortMidi()), RATE / 4);
    std::vector<uint8_t> file = tempoChangeMidi();
    EXPECT_EQ(endSample(file), 2 * RATE);
    EXPECT_EQ(midiEndSample(file.data(), file.size(), 1000), 2000);
    // In time code, 25 frames of 40 ticks a second, the tempo does not count.
    file[12] = 0xE7;
    file[13] = 40;
    EXPECT_EQ(endSample(file), RATE * 576 / 1000);

    // The generated pieces: whole 4/4 bars at a whole number of microseconds
    // a quarter note.
    struct Piece {
        const char* file;
        int bpm, bars;
    };
    for (const Piece& piece : {Piece{"title.mid", 140, 24}, Piece{"edit.mid", 116, 16},
                               Piece{"main.mid", 112, 32}, Piece{"2ofus.MID", 80, 24}}) {
        const std::string bytes =
            testing_support::readFile(std::string(KABU_BINARY_DIR) + "/data/" + piece.file);
        const int64_t micros = int64_t{piece.bars} * 4 * (60000000 / piece.bpm);
        EXPECT_EQ(midiEndSample(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), RATE),
                  micros * RATE / 1000000)
            << piece.file;
    }
}

TEST(MidiLength, DamagedFilesAreUnknown) {
    const std::vector<uint8_t> file = tempoChangeMidi();
    for (size_t size = 0; size < file.size(); ++size) {
        // Cut short: the bytes are copied so that a read past them is caught.
        const std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_EQ(midiEndSample(cut.data(), cut.size(), RATE), MIDI_LENGTH_UNKNOWN) << size;
    }
    // Any byte changed to anything gives some answer without a fault.
    for (size_t at = 0; at < file.size(); ++at) {
        for (int value = 0; value < 256; ++value) {
            std::vector<uint8_t> changed = file;
            changed[at] = static_cast<uint8_t>(value);
            EXPECT_GE(endSample(changed), MIDI_LENGTH_UNKNOWN);
        }
    }
    // The last track said to stop before its end of track, which is left as junk.
    std::vector<uint8_t> noEnd = file;
    const uint8_t trackMark[] = {'M', 'T', 'r', 'k'};
    std::find_end(noEnd.begin(), noEnd.end(), trackMark, trackMark + 4)[7] -= 4;
    EXPECT_EQ(endSample(noEnd), MIDI_LENGTH_UNKNOWN);
    const std::string text = "not a MIDI file at all";
    EXPECT_EQ(midiEndSample(reinterpret_cast<const uint8_t*>(text.data()), text.size(), RATE),
              MIDI_LENGTH_UNKNOWN);
}

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
