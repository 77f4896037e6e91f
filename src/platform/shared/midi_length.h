// SPDX-License-Identifier: GPL-2.0-or-later
// The length of a Standard MIDI File, for backends that must report a
// piece's end as soon as its last track ends.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int64_t MIDI_LENGTH_UNKNOWN = -1;

// The time of the latest end-of-track over all tracks (format 0 or 1),
// through the tempo map, in samples at `sampleRate` (rounded down).
// MIDI_LENGTH_UNKNOWN for a file that cannot be read whole.
int64_t midiEndSample(const uint8_t* bytes, size_t size, int sampleRate);
