// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/shared/midi_length.h"

#include <cstring>

namespace {
constexpr int MAX_TEMPOS = 1024;
constexpr uint64_t MAX_TICK = uint64_t{1} << 32;  // keeps the sums below in 64 bits
constexpr uint32_t DEFAULT_TEMPO = 500000;        // microseconds a quarter note

struct TempoChange {
    uint64_t tick;
    uint32_t microsPerQuarter;
};

// The tempo changes of all tracks in tick order; at one tick, the one read
// last counts.
struct TempoMap {
    TempoChange changes[MAX_TEMPOS];
    int count = 0;

    bool add(uint64_t tick, uint32_t micros) {
        if (count == MAX_TEMPOS) return false;
        int at = count++;
        for (; at > 0 && changes[at - 1].tick > tick; --at) changes[at] = changes[at - 1];
        changes[at] = TempoChange{tick, micros};
        return true;
    }
};

struct Reader {
    const uint8_t* at;
    const uint8_t* end;

    size_t left() const { return static_cast<size_t>(end - at); }
    bool byte(uint8_t& out) {
        if (at == end) return false;
        out = *at++;
        return true;
    }
    bool skip(size_t count) {
        if (left() < count) return false;
        at += count;
        return true;
    }
    // A variable-length quantity: at most four bytes.
    bool varLen(uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b = 0;
            if (!byte(b)) return false;
            out = (out << 7) | (b & 0x7Fu);
            if (b < 0x80) return true;
        }
        return false;
    }
};

uint32_t bigEndian(const uint8_t* p, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | p[i];
    return value;
}

// Reads one track's events up to its end of track, adding its tempo changes.
bool readTrack(Reader track, TempoMap& tempos, uint64_t& endTick) {
    uint64_t tick = 0;
    uint8_t running = 0;  // the last channel status, for running status
    for (;;) {
        uint32_t delta = 0;
        uint8_t first = 0;
        if (!track.varLen(delta) || !track.byte(first)) return false;
        tick += delta;
        if (tick > MAX_TICK) return false;
        uint8_t status = first;
        if (first < 0x80) {
            if (running == 0) return false;
            status = running;
            --track.at;  // the byte read is the event's first data byte
        }
        if (status < 0xF0) {
            running = status;
            if (!track.skip((status & 0xE0) == 0xC0 ? 1 : 2)) return false;
        } else if (status == 0xF0 || status == 0xF7) {
            uint32_t length = 0;
            if (!track.varLen(length) || !track.skip(length)) return false;
        } else if (status == 0xFF) {
            uint8_t type = 0;
            uint32_t length = 0;
            if (!track.byte(type) || !track.varLen(length) || track.left() < length) return false;
            if (type == 0x2F) {
                endTick = tick;
                return true;
            }
            if (type == 0x51) {
                if (length != 3) return false;
                const uint32_t micros = bigEndian(track.at, 3);
                if (micros == 0 || !tempos.add(tick, micros)) return false;
            }
            track.at += length;
        } else {
            return false;  // no other system message belongs in a file
        }
    }
}
}  // namespace

int64_t midiEndSample(const uint8_t* bytes, size_t size, int sampleRate) {
    if (bytes == nullptr || sampleRate <= 0 || sampleRate > 1000000) return MIDI_LENGTH_UNKNOWN;
    Reader file{bytes, bytes + size};
    if (size < 14 || std::memcmp(bytes, "MThd", 4) != 0) {
        return MIDI_LENGTH_UNKNOWN;
    }
    const uint32_t headerLength = bigEndian(bytes + 4, 4);
    const uint32_t format = bigEndian(bytes + 8, 2);
    const uint32_t trackCount = bigEndian(bytes + 10, 2);
    const uint32_t division = bigEndian(bytes + 12, 2);
    if (headerLength < 6 || format > 1 || trackCount == 0 || division == 0) return MIDI_LENGTH_UNKNOWN;
    file.at += 8;
    if (!file.skip(headerLength)) return MIDI_LENGTH_UNKNOWN;

    // Every track the header counts must be there whole; other chunks are skipped.
    static_assert(sizeof(TempoMap) < 32 * 1024, "the tempo map lives on the stack");
    TempoMap tempos;
    uint64_t endTick = 0;
    for (uint32_t found = 0; found < trackCount;) {
        if (file.left() < 8) return MIDI_LENGTH_UNKNOWN;
        const bool isTrack = std::memcmp(file.at, "MTrk", 4) == 0;
        const uint32_t length = bigEndian(file.at + 4, 4);
        file.at += 8;
        if (file.left() < length) return MIDI_LENGTH_UNKNOWN;
        if (isTrack) {
            uint64_t trackEnd = 0;
            if (!readTrack(Reader{file.at, file.at + length}, tempos, trackEnd)) return MIDI_LENGTH_UNKNOWN;
            if (trackEnd > endTick) endTick = trackEnd;
            ++found;
        }
        file.at += length;
    }

    // The end as a fraction of a second, scaled / unit, exactly.
    uint64_t scaled = 0;
    uint64_t unit = 0;
    if ((division & 0x8000) != 0) {
        // Frames a second (29 stands for 29.97) times ticks a frame; no tempo.
        const uint32_t frames = 256 - (division >> 8);
        const uint32_t ticksPerFrame = division & 0xFF;
        if ((frames != 24 && frames != 25 && frames != 29 && frames != 30) || ticksPerFrame == 0) {
            return MIDI_LENGTH_UNKNOWN;
        }
        scaled = endTick * 100;
        unit = uint64_t{frames == 29 ? 2997u : frames * 100} * ticksPerFrame;
    } else {
        uint64_t tick = 0;
        uint32_t tempo = DEFAULT_TEMPO;
        for (int i = 0; i < tempos.count && tempos.changes[i].tick < endTick; ++i) {
            scaled += (tempos.changes[i].tick - tick) * tempo;
            tick = tempos.changes[i].tick;
            tempo = tempos.changes[i].microsPerQuarter;
        }
        scaled += (endTick - tick) * tempo;
        unit = uint64_t{division} * 1000000;
    }
    const uint64_t rate = static_cast<uint64_t>(sampleRate);
    return static_cast<int64_t>(scaled / unit * rate + scaled % unit * rate / unit);
}
