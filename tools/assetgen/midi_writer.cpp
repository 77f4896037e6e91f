// SPDX-License-Identifier: GPL-2.0-or-later
// Standard MIDI File writing and the accompaniment figures.
#include "midi_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace music {
namespace {

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void putVarLen(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t bytes[5];
    int n = 0;
    bytes[n++] = v & 0x7F;
    while ((v >>= 7) != 0) bytes[n++] = static_cast<uint8_t>(0x80 | (v & 0x7F));
    while (n > 0) out.push_back(bytes[--n]);
}

std::vector<uint8_t> trackChunk(std::vector<Event> events, uint32_t endTick) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<uint8_t> body;
    uint32_t now = 0;
    for (const Event& e : events) {
        putVarLen(body, e.tick - now);
        now = e.tick;
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    putVarLen(body, endTick > now ? endTick - now : 0);
    body.push_back(0xFF);
    body.push_back(0x2F);
    body.push_back(0x00);
    std::vector<uint8_t> chunk = {'M', 'T', 'r', 'k'};
    put32(chunk, static_cast<uint32_t>(body.size()));
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

int pitchClass(char letter) {
    static const int classes[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    return classes[letter - 'A'];
}

// Parses a note name like C5, Bb4, F#3 into a MIDI pitch (C4 = 60).
int parsePitch(const char* s, int* used) {
    int i = 0;
    int pc = pitchClass(s[i++]);
    if (s[i] == 'b') {
        --pc;
        ++i;
    } else if (s[i] == '#') {
        ++pc;
        ++i;
    }
    const int octave = s[i++] - '0';
    *used = i;
    return 12 * (octave + 1) + pc;
}

// Chord tones (pitch classes) of a chord: root, third, fifth.
void triad(const Chord& c, int tones[3]) {
    tones[0] = c.root;
    tones[1] = (c.root + (c.minor ? 3 : 4)) % 12;
    tones[2] = (c.root + 7) % 12;
}

// The pitch of a pitch class nearest above or at `floor`.
int above(int pc, int floor) {
    int p = floor - ((floor % 12) - pc + 12) % 12;
    if (p < floor) p += 12;
    return p;
}

}  // namespace

void Track::meta(uint32_t tick, uint8_t type, const std::vector<uint8_t>& data) {
    Event e{tick, 0, {0xFF, type}};
    putVarLen(e.bytes, static_cast<uint32_t>(data.size()));
    e.bytes.insert(e.bytes.end(), data.begin(), data.end());
    events.push_back(e);
}

void Track::control(uint32_t tick, int channel, int controller, int value) {
    events.push_back(Event{tick,
                           1,
                           {static_cast<uint8_t>(0xB0 | channel), static_cast<uint8_t>(controller),
                            static_cast<uint8_t>(value)}});
}

void Track::program(uint32_t tick, int channel, int program) {
    events.push_back(Event{tick, 1, {static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(program)}});
}

void Track::note(uint32_t tick, uint32_t length, int channel, int pitch, int velocity) {
    if (pitch < 0 || pitch > 127 || length == 0) return;
    velocity = std::clamp(velocity, 1, 127);
    events.push_back(Event{
        tick,
        3,
        {static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(pitch), static_cast<uint8_t>(velocity)}});
    events.push_back(
        Event{tick + length, 2, {static_cast<uint8_t>(0x80 | channel), static_cast<uint8_t>(pitch), 0x40}});
}

Track& Song::addTrack(const char* name, int channel, int program, int volume, int pan) {
    tracks.push_back(Track{});
    Track& t = tracks.back();
    t.name = name;
    t.meta(0, 0x03, std::vector<uint8_t>(name, name + std::strlen(name)));
    if (channel != 9) t.program(0, channel, program);
    t.control(0, channel, 7, volume);
    t.control(0, channel, 10, pan);
    t.control(0, channel, 91, 40);
    return t;
}

std::vector<uint8_t> Song::encode() const {
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    const uint16_t count = static_cast<uint16_t>(tracks.size() + 1);
    out.push_back(static_cast<uint8_t>(count >> 8));
    out.push_back(static_cast<uint8_t>(count));
    out.push_back(static_cast<uint8_t>(PPQ >> 8));
    out.push_back(static_cast<uint8_t>(PPQ));
    Track conductor;
    const char* title = "conductor";
    conductor.meta(0, 0x03, std::vector<uint8_t>(title, title + std::strlen(title)));
    const uint32_t micros = 60000000u / static_cast<uint32_t>(tempoBpm);
    conductor.meta(0, 0x51,
                   {static_cast<uint8_t>(micros >> 16), static_cast<uint8_t>(micros >> 8),
                    static_cast<uint8_t>(micros)});
    conductor.meta(0, 0x58, {4, 2, 24, 8});
    std::vector<uint8_t> chunk = trackChunk(conductor.events, lengthTicks);
    out.insert(out.end(), chunk.begin(), chunk.end());
    for (const Track& t : tracks) {
        // Notes that would ring past the end are cut at the loop point.
        std::vector<Event> events;
        for (Event e : t.events) {
            if (e.tick > lengthTicks) e.tick = lengthTicks;
            events.push_back(e);
        }
        chunk = trackChunk(events, lengthTicks);
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

bool Song::write(const std::string& path) const {
    const std::vector<uint8_t> bytes = encode();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

uint32_t melody(Track& t, int channel, uint32_t start, const char* notes, int velocity, int transpose) {
    uint32_t tick = start;
    const char* p = notes;
    int index = 0;
    while (*p != 0) {
        while (*p == ' ') ++p;
        if (*p == 0) break;
        int pitch = -1;
        if (*p == 'r') {
            ++p;
        } else {
            int used = 0;
            pitch = parsePitch(p, &used) + transpose;
            p += used;
        }
        int eighths = 1;
        if (*p == '/') {
            ++p;
            eighths = static_cast<int>(std::strtol(p, nullptr, 10));
            while (*p >= '0' && *p <= '9') ++p;
        }
        const uint32_t length = static_cast<uint32_t>(eighths) * EIGHTH;
        if (pitch >= 0) {
            // Slight accents on the beat keep the line alive.
            const int accent = ((tick % PPQ) == 0) ? 6 : 0;
            t.note(tick, length - length / 10, channel, pitch, velocity + accent - (index % 3));
        }
        tick += length;
        ++index;
    }
    return tick;
}

std::vector<Chord> chords(const char* list) {
    std::vector<Chord> out;
    const char* p = list;
    while (*p != 0) {
        while (*p == ' ') ++p;
        if (*p == 0) break;
        Chord c{pitchClass(*p++), false, 0};
        if (*p == 'b') {
            c.root = (c.root + 11) % 12;
            ++p;
        } else if (*p == '#') {
            c.root = (c.root + 1) % 12;
            ++p;
        }
        if (*p == 'm') {
            c.minor = true;
            ++p;
        }
        c.bass = c.root;
        if (*p == '/') {
            ++p;
            c.bass = pitchClass(*p++);
            if (*p == 'b') {
                c.bass = (c.bass + 11) % 12;
                ++p;
            }
        }
        out.push_back(c);
    }
    return out;
}

void padChords(Track& t, int channel, uint32_t start, const std::vector<Chord>& bars, int velocity) {
    for (size_t i = 0; i < bars.size(); ++i) {
        int tones[3];
        triad(bars[i], tones);
        for (int k = 0; k < 3; ++k) {
            t.note(start + static_cast<uint32_t>(i) * BAR, BAR - 20, channel, above(tones[k], 55), velocity);
        }
    }
}

void bassLine(Track& t, int channel, uint32_t start, const std::vector<Chord>& bars, int velocity,
              int style) {
    for (size_t i = 0; i < bars.size(); ++i) {
        const uint32_t bar = start + static_cast<uint32_t>(i) * BAR;
        const int root = above(bars[i].bass, 36);
        const int fifth = above((bars[i].root + 7) % 12, 36);
        switch (style) {
            case 0:  // driving eighths on the root, octave on the last
                for (int k = 0; k < 8; ++k) {
                    t.note(bar + k * EIGHTH, EIGHTH - 30, channel, k == 7 ? root + 12 : root,
                           velocity - (k % 2) * 10);
                }
                break;
            case 1:  // root and fifth on the beats
                for (int k = 0; k < 4; ++k) {
                    t.note(bar + k * PPQ, PPQ - 40, channel, (k % 2 == 0) ? root : fifth,
                           velocity - (k % 2) * 8);
                }
                break;
            default:  // long notes, a pickup on beat four
                t.note(bar, PPQ * 3 - 20, channel, root, velocity);
                t.note(bar + PPQ * 3, PPQ - 20, channel, fifth, velocity - 12);
                break;
        }
    }
}

void arpeggio(Track& t, int channel, uint32_t start, const std::vector<Chord>& bars, int velocity, int octave,
              int style) {
    for (size_t i = 0; i < bars.size(); ++i) {
        const uint32_t bar = start + static_cast<uint32_t>(i) * BAR;
        int tones[3];
        triad(bars[i], tones);
        const int base = 12 * (octave + 1);
        const int pitches[4] = {above(tones[0], base), above(tones[1], base), above(tones[2], base),
                                above(tones[0], base) + 12};
        if (style == 0) {  // rising and falling eighths
            static const int order[8] = {0, 1, 2, 3, 2, 1, 2, 1};
            for (int k = 0; k < 8; ++k)
                t.note(bar + k * EIGHTH, EIGHTH, channel, pitches[order[k]], velocity - (k % 2) * 8);
        } else if (style == 1) {  // off-beat chord stabs
            for (int k = 0; k < 4; ++k) {
                for (int n = 0; n < 3; ++n)
                    t.note(bar + k * PPQ + EIGHTH, EIGHTH - 40, channel, pitches[n], velocity);
            }
        } else {  // slow broken chord, quarters, ringing
            static const int order[4] = {0, 1, 2, 1};
            for (int k = 0; k < 4; ++k)
                t.note(bar + k * PPQ, PPQ * 2 - 40, channel, pitches[order[k]], velocity - k * 3);
        }
    }
}

void drums(Track& t, uint32_t start, int barCount, int style, int velocity) {
    constexpr int KICK = 36, SNARE = 38, HAT = 42, OPEN_HAT = 46, CRASH = 49, SHAKER = 70, RIM = 37;
    for (int b = 0; b < barCount; ++b) {
        const uint32_t bar = start + static_cast<uint32_t>(b) * BAR;
        const bool fill = (b % 8) == 7;
        if (style == 0) {  // pop beat
            if (b % 8 == 0) t.note(bar, PPQ, 9, CRASH, velocity - 10);
            t.note(bar, EIGHTH, 9, KICK, velocity);
            t.note(bar + PPQ * 2, EIGHTH, 9, KICK, velocity - 5);
            t.note(bar + PPQ * 2 + EIGHTH, EIGHTH, 9, KICK, velocity - 15);
            t.note(bar + PPQ, EIGHTH, 9, SNARE, velocity - 5);
            t.note(bar + PPQ * 3, EIGHTH, 9, SNARE, velocity - 5);
            for (int k = 0; k < 8; ++k)
                t.note(bar + k * EIGHTH, EIGHTH, 9, k == 7 ? OPEN_HAT : HAT, velocity - 25 - (k % 2) * 10);
            if (fill) {
                for (int k = 0; k < 4; ++k)
                    t.note(bar + PPQ * 3 + k * (PPQ / 4), PPQ / 4, 9, SNARE, velocity - 20 + k * 5);
            }
        } else if (style == 1) {  // light: shaker and rim
            for (int k = 0; k < 8; ++k)
                t.note(bar + k * EIGHTH, EIGHTH, 9, SHAKER, velocity - 20 - (k % 2) * 12);
            t.note(bar, EIGHTH, 9, KICK, velocity - 10);
            t.note(bar + PPQ * 2, EIGHTH, 9, KICK, velocity - 18);
            t.note(bar + PPQ, EIGHTH, 9, RIM, velocity - 15);
            t.note(bar + PPQ * 3, EIGHTH, 9, RIM, velocity - 15);
        } else {  // steady: kick on one and three, soft snare, hats
            t.note(bar, EIGHTH, 9, KICK, velocity);
            t.note(bar + PPQ * 2, EIGHTH, 9, KICK, velocity - 6);
            t.note(bar + PPQ, EIGHTH, 9, SNARE, velocity - 20);
            t.note(bar + PPQ * 3, EIGHTH, 9, SNARE, velocity - 20);
            for (int k = 0; k < 8; ++k) t.note(bar + k * EIGHTH, EIGHTH, 9, HAT, velocity - 30 - (k % 2) * 8);
            if (fill) t.note(bar + PPQ * 3 + EIGHTH, EIGHTH, 9, SNARE, velocity - 25);
        }
    }
}

}  // namespace music
