// SPDX-License-Identifier: GPL-2.0-or-later
// The four pieces of music. Each is a whole number of 4/4 bars whose last bar
// leads back into the first, so the game's replay-on-end loops it smoothly.
#include "assets.h"
#include "midi_writer.h"

namespace music {
namespace {

// General MIDI programs (numbered from 0).
constexpr int PIANO = 0, E_PIANO = 4, GLOCKENSPIEL = 9, VIBRAPHONE = 11, MARIMBA = 12, FINGER_BASS = 33,
              FRETLESS = 35, STRINGS = 48, SLOW_STRINGS = 49, PIZZICATO = 45, BRASS = 61, FLUTE = 73;

}  // namespace

// Bright title theme: C major, 140 BPM, 24 bars (about 41 s), A B A.
bool writeTitleTheme(const std::string& path) {
    Song song;
    song.tempoBpm = 140;
    song.lengthTicks = 24 * BAR;
    const char* a =
        "E5/2 G5/2 C6/3 B5/1  A5/2 G5/2 D5/4  E5/2 A5/2 C6/3 B5/1  A5/2 F5/2 C5/4 "
        "E5/1 F5/1 G5/2 E5/2 C5/2  D5/2 G5/2 B5/2 D6/2  C6/2 A5/2 F5/2 A5/2  G5/6 r/2";
    const char* b =
        "A5/3 G5/1 F5/2 A5/2  B5/3 A5/1 G5/2 B5/2  G5/2 E5/2 B5/2 G5/2  A5/4 C6/4 "
        "D6/2 C6/2 A5/2 F5/2  G5/2 B5/2 D6/2 B5/2  C6/4 G5/2 E5/2  D5/2 G5/2 B5/2 D6/2";
    const auto ca = chords("C G/B Am F C G F G");
    const auto cb = chords("F G Em Am Dm G C G");
    Track& lead = song.addTrack("brass", 0, BRASS, 100, 64);
    Track& piano = song.addTrack("piano", 1, PIANO, 80, 44);
    Track& pad = song.addTrack("strings", 2, STRINGS, 70, 84);
    Track& bass = song.addTrack("bass", 3, FINGER_BASS, 100, 64);
    Track& kit = song.addTrack("drums", 9, 0, 90, 64);
    uint32_t t = 0;
    t = melody(lead, 0, t, a, 96);
    t = melody(lead, 0, t, b, 92);
    melody(lead, 0, t, a, 100);
    const std::vector<std::vector<Chord>> sections = {ca, cb, ca};
    for (size_t s = 0; s < sections.size(); ++s) {
        const uint32_t at = static_cast<uint32_t>(s) * 8 * BAR;
        arpeggio(piano, 1, at, sections[s], 70, 4, 1);
        padChords(pad, 2, at, sections[s], 58);
        bassLine(bass, 3, at, sections[s], 96, 0);
    }
    drums(kit, 0, 24, 0, 100);
    return song.write(path);
}

// Light name-entry tune: F major, 116 BPM, 16 bars (about 33 s).
bool writeNameEntryTune(const std::string& path) {
    Song song;
    song.tempoBpm = 116;
    song.lengthTicks = 16 * BAR;
    const char* a =
        "C5/1 F5/1 A5/2 G5/1 F5/1 C5/2  D5/1 F5/1 A5/2 F5/2 D5/2  G5/1 Bb5/1 D6/2 C6/1 Bb5/1 G5/2 "
        "E5/1 G5/1 C6/2 Bb5/2 G5/2  A5/1 C6/1 F6/2 E6/1 D6/1 C6/2  D6/2 A5/2 F5/2 A5/2 "
        "Bb5/1 A5/1 G5/1 F5/1 D5/2 F5/2  G5/4 E5/2 C5/2";
    const char* a2 =
        "C5/1 F5/1 A5/2 G5/1 F5/1 C5/2  D5/1 F5/1 A5/2 F5/2 D5/2  G5/1 Bb5/1 D6/2 C6/1 Bb5/1 G5/2 "
        "E5/1 G5/1 C6/2 Bb5/2 G5/2  A5/1 C6/1 F6/2 E6/1 D6/1 C6/2  D6/2 A5/2 F5/2 A5/2 "
        "D6/2 C6/2 Bb5/2 G5/2  C6/4 r/4";
    const auto prog = chords("F Dm Gm C F Dm Bb C");
    Track& lead = song.addTrack("marimba", 0, MARIMBA, 110, 60);
    Track& bell = song.addTrack("glockenspiel", 1, GLOCKENSPIEL, 60, 90);
    Track& pizz = song.addTrack("pizzicato", 2, PIZZICATO, 90, 40);
    Track& bass = song.addTrack("bass", 3, FINGER_BASS, 90, 64);
    Track& kit = song.addTrack("percussion", 9, 0, 80, 64);
    uint32_t t = melody(lead, 0, 0, a, 100);
    melody(lead, 0, t, a2, 100);
    // The bell doubles the second half an octave up, softly.
    melody(bell, 1, t, a2, 60, 12);
    for (int s = 0; s < 2; ++s) {
        const uint32_t at = static_cast<uint32_t>(s) * 8 * BAR;
        arpeggio(pizz, 2, at, prog, 72, 4, 1);
        bassLine(bass, 3, at, prog, 88, 1);
    }
    drums(kit, 0, 16, 1, 90);
    return song.write(path);
}

// Steady game theme: A minor, 112 BPM, 32 bars (about 69 s), A B A' B'.
bool writeGameTheme(const std::string& path) {
    Song song;
    song.tempoBpm = 112;
    song.lengthTicks = 32 * BAR;
    const char* a =
        "A4/2 C5/2 E5/3 D5/1  C5/2 A4/2 F4/4  G4/2 C5/2 E5/2 G5/2  D5/4 B4/4 "
        "A4/2 C5/2 E5/2 A5/2  G5/2 F5/2 C5/4  E5/2 D5/2 C5/2 E5/2  B4/6 r/2";
    const char* b =
        "A5/3 G5/1 F5/2 C5/2  B4/2 D5/2 G5/4  E5/2 G5/2 B5/2 G5/2  A5/6 r/2 "
        "F5/2 E5/2 D5/2 A4/2  B4/2 D5/2 G5/2 F5/2  E5/4 C5/4  G#4/2 B4/2 E5/4";
    const auto ca = chords("Am F C G Am F C E");
    const auto cb = chords("F G Em Am Dm G C E");
    Track& vib = song.addTrack("vibraphone", 0, VIBRAPHONE, 100, 70);
    Track& flute = song.addTrack("flute", 1, FLUTE, 85, 56);
    Track& keys = song.addTrack("electric piano", 2, E_PIANO, 80, 40);
    Track& pad = song.addTrack("strings", 3, SLOW_STRINGS, 60, 88);
    Track& bass = song.addTrack("bass", 4, FINGER_BASS, 100, 64);
    Track& kit = song.addTrack("drums", 9, 0, 80, 64);
    uint32_t t = melody(vib, 0, 0, a, 92);
    t = melody(vib, 0, t, b, 90);
    t = melody(flute, 1, t, a, 84, 12);
    melody(flute, 1, t, b, 84);
    const std::vector<std::vector<Chord>> sections = {ca, cb, ca, cb};
    for (size_t s = 0; s < sections.size(); ++s) {
        const uint32_t at = static_cast<uint32_t>(s) * 8 * BAR;
        arpeggio(keys, 2, at, sections[s], 64, 4, s % 2 == 0 ? 1 : 0);
        if (s >= 1) padChords(pad, 3, at, sections[s], 50);
        bassLine(bass, 4, at, sections[s], 92, 1);
    }
    drums(kit, 0, 32, 2, 92);
    return song.write(path);
}

// Ending theme: a ballad in C major, 80 BPM, 24 bars (72 s), A A' B.
bool writeEndingTheme(const std::string& path) {
    Song song;
    song.tempoBpm = 80;
    song.lengthTicks = 24 * BAR;
    const char* a =
        "E5/3 D5/1 C5/2 G4/2  D5/3 C5/1 B4/2 G4/2  C5/3 B4/1 A4/2 E5/2  B4/6 r/2 "
        "A4/2 C5/2 F5/3 E5/1  E5/2 D5/2 C5/2 G4/2  F5/3 E5/1 D5/2 A4/2  B4/4 D5/2 G5/2";
    const char* b =
        "A5/4 G5/2 F5/2  G5/4 F5/2 E5/2  E5/2 G5/2 B5/2 G5/2  A5/6 G5/2 "
        "F5/2 A5/2 C6/2 A5/2  G5/2 B5/2 D6/2 B5/2  F5/2 E5/2 D5/2 F5/2  G5/4 B4/4";
    const auto ca = chords("C G/B Am Em/G F C/E Dm G");
    const auto cb = chords("F G Em Am F G Dm G");
    Track& piano = song.addTrack("piano", 0, PIANO, 100, 60);
    Track& flute = song.addTrack("flute", 1, FLUTE, 80, 70);
    Track& pad = song.addTrack("strings", 2, STRINGS, 75, 80);
    Track& bass = song.addTrack("bass", 3, FRETLESS, 90, 64);
    uint32_t t = melody(piano, 0, 0, a, 98);
    t = melody(flute, 1, t, a, 92);
    melody(piano, 0, t, b, 102);
    melody(flute, 1, t, b, 60, -12);
    const std::vector<std::vector<Chord>> sections = {ca, ca, cb};
    for (size_t s = 0; s < sections.size(); ++s) {
        const uint32_t at = static_cast<uint32_t>(s) * 8 * BAR;
        arpeggio(piano, 0, at, sections[s], 62, 3, 2);
        if (s >= 1) padChords(pad, 2, at, sections[s], 52);
        bassLine(bass, 3, at, sections[s], 80, 2);
    }
    return song.write(path);
}

}  // namespace music
