// SPDX-License-Identifier: GPL-2.0-or-later
// Glyphs of the game font, kept as one bit mask per row, and the file they
// are read from.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/file_steps.h"

struct Glyph {
    static constexpr int MAX_ROWS = 24;
    bool present;       // false: the code names no character the font has; draws nothing
    int32_t advance64;  // in 1/64 pixel
    uint32_t rows[MAX_ROWS];
};

// The glyph of the character at text[*pos], moving *pos past it; nullptr at the end.
const Glyph* nextGlyph(const char* text, int length, int* pos);

// data/glyphs.bin, written by the asset generator. Little-endian:
//   header  "KGLY", u16 version, u16 font height in pixels (1..MAX_ROWS),
//           u16 bytes per row (1..4), u16 zero, u32 glyph count
//   glyphs  in rising order of code: u16 code (a single byte, or
//           lead << 8 | trail), u16 advance in 1/64 pixel, then `height`
//           rows of `bytes per row` bytes; bit x of a row, counted from the
//           lowest bit of its first byte, is column x.
//   check   u32 CRC-32 (the one of zlib, gzip and PNG) of every byte before it
// A code that is not in the file names no character. The file is taken only
// whole: its header in range, its exact size and its checksum.
namespace glyphfile {
constexpr const char* PATH = "data/glyphs.bin";
constexpr uint8_t MAGIC[4] = {'K', 'G', 'L', 'Y'};
constexpr int VERSION = 2;
constexpr int HEADER_BYTES = 16;
constexpr int GLYPH_HEAD_BYTES = 4;
constexpr int CHECK_BYTES = 4;
constexpr int MAX_ROW_BYTES = 4;

// One slot per single byte, then one per double-byte code (lead 0x81-0x9F or
// 0xE0-0xFC, trail 0x40-0xFC).
constexpr int SINGLE_SLOTS = 256;
constexpr int TRAIL_COUNT = 0xFD - 0x40;
constexpr int LEAD_COUNT = (0xA0 - 0x81) + (0xFD - 0xE0);
constexpr int SLOTS = SINGLE_SLOTS + LEAD_COUNT * TRAIL_COUNT;
constexpr int MAX_FILE_BYTES =
    HEADER_BYTES + SLOTS * (GLYPH_HEAD_BYTES + Glyph::MAX_ROWS * MAX_ROW_BYTES) + CHECK_BYTES;

// CRC-32 of `size` bytes, continuing from `crc` (0 to start).
uint32_t crc32(const uint8_t* bytes, size_t size, uint32_t crc = 0);

constexpr bool isLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool isTrailByte(uint8_t b) { return b >= 0x40 && b <= 0xFC; }

constexpr int slotOf(uint8_t lead, uint8_t trail) {
    const int leadIndex = lead <= 0x9F ? lead - 0x81 : (0xA0 - 0x81) + (lead - 0xE0);
    return SINGLE_SLOTS + leadIndex * TRAIL_COUNT + (trail - 0x40);
}

// The slot of a code as the file writes it; -1 when it is no character code
// (a lone lead byte, or a double-byte code outside the ranges).
constexpr int slotOfCode(uint32_t code) {
    if (code < 0x100) return isLeadByte(static_cast<uint8_t>(code)) ? -1 : static_cast<int>(code);
    const uint8_t lead = static_cast<uint8_t>(code >> 8);
    const uint8_t trail = static_cast<uint8_t>(code);
    if (code > 0xFFFF || !isLeadByte(lead) || !isTrailByte(trail)) return -1;
    return slotOf(lead, trail);
}
}  // namespace glyphfile

// What reading the glyph file gave.
enum class FontFile {
    Loaded,
    Missing,     // no file at data/glyphs.bin
    Unreadable,  // something there that cannot be read
    Damaged,     // not the whole file the asset generator wrote
};
// Reads data/glyphs.bin through `files`, checks it whole and loads it; the
// program entries call it before anything else needs the text, so that a
// damaged file stops the start with its name. Once loaded, the start-up
// finds the font ready.
FontFile loadTextFont(const FileSteps& files);
