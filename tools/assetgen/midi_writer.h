// SPDX-License-Identifier: GPL-2.0-or-later
// A small Standard MIDI File writer (type 1) and the note helpers the four
// pieces are written with.
#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace music {

constexpr int PPQ = 480;         // ticks per quarter note
constexpr int EIGHTH = PPQ / 2;  // the unit of the melody notation
constexpr int BAR = PPQ * 4;     // 4/4 throughout

struct Event {
    uint32_t tick;
    int order;  // at one tick: meta and controls first, note-offs, then note-ons
    std::vector<uint8_t> bytes;
};

struct Track {
    std::string name;
    std::vector<Event> events;

    void meta(uint32_t tick, uint8_t type, const std::vector<uint8_t>& data);
    void control(uint32_t tick, int channel, int controller, int value);
    void program(uint32_t tick, int channel, int program);
    void note(uint32_t tick, uint32_t length, int channel, int pitch, int velocity);
};

struct Song {
    int tempoBpm = 120;
    uint32_t lengthTicks = 0;  // every track ends here, so a replay joins seamlessly
    std::deque<Track> tracks;  // a deque keeps references to earlier tracks valid

    // A new instrument track: program, volume, pan and a touch of reverb.
    Track& addTrack(const char* name, int channel, int program, int volume, int pan);
    // The file image (header, conductor track, one track per instrument).
    std::vector<uint8_t> encode() const;
    bool write(const std::string& path) const;
};

// Melody notation: space-separated tokens "PITCH/EIGHTHS", pitch like C5, Bb4,
// F#5, or r for a rest. Adds the notes from `start` and returns the tick after
// the last token.
uint32_t melody(Track& t, int channel, uint32_t start, const char* notes, int velocity, int transpose = 0);

// Chords by bar: "C", "Am", "G/B", "Bb", "E", "C/E". Each helper lays one
// accompaniment figure over the bars of a chord list from `start`.
struct Chord {
    int root;  // pitch class 0..11
    bool minor;
    int bass;  // pitch class of the bass note
};
std::vector<Chord> chords(const char* list);
void padChords(Track& t, int channel, uint32_t start, const std::vector<Chord>& bars, int velocity);
void bassLine(Track& t, int channel, uint32_t start, const std::vector<Chord>& bars, int velocity, int style);
void arpeggio(Track& t, int channel, uint32_t start, const std::vector<Chord>& bars, int velocity, int octave,
              int style);
void drums(Track& t, uint32_t start, int barCount, int style, int velocity);

}  // namespace music
