// SPDX-License-Identifier: GPL-2.0-or-later
// The game font: code page 932 text drawn with the glyphs of data/glyphs.bin,
// which the asset generator renders from IPAGothic at 13 pixels without
// anti-aliasing. The file is read once at start-up, one slot per character.
#include <cstring>

#include "core/draw_context.h"
#include "core/files.h"
#include "core/text_glyphs.h"
#include "platform/backend.h"

namespace {
using namespace glyphfile;

Glyph glyphs[SLOTS];
int fontHeight = 0;  // 0 while no glyph file is loaded
uint8_t fileBytes[MAX_FILE_BYTES];

uint32_t read16(const uint8_t* at) { return at[0] | static_cast<uint32_t>(at[1]) << 8; }
uint32_t read32(const uint8_t* at) { return read16(at) | read16(at + 2) << 16; }

// Fills the slots from a whole glyph file; false, with nothing filled, when
// any part of it is out of place.
bool loadGlyphs(const uint8_t* bytes, size_t size) {
    if (size < HEADER_BYTES + CHECK_BYTES || std::memcmp(bytes, MAGIC, sizeof MAGIC) != 0) return false;
    const uint32_t height = read16(bytes + 6);
    const uint32_t rowBytes = read16(bytes + 8);
    const uint32_t count = read32(bytes + 12);
    if (read16(bytes + 4) != VERSION || height < 1 || height > Glyph::MAX_ROWS || rowBytes < 1 ||
        rowBytes > MAX_ROW_BYTES || read16(bytes + 10) != 0 || count > SLOTS)
        return false;
    const size_t record = GLYPH_HEAD_BYTES + height * rowBytes;
    if (size != HEADER_BYTES + count * record + CHECK_BYTES) return false;
    if (crc32(bytes, size - CHECK_BYTES) != read32(bytes + size - CHECK_BYTES)) return false;
    int64_t previous = -1;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t code = read16(bytes + HEADER_BYTES + i * record);
        if (slotOfCode(code) < 0 || code <= previous) return false;
        previous = code;
    }
    for (uint32_t i = 0; i < count; ++i) {  // the slots are clear while no file is loaded
        const uint8_t* at = bytes + HEADER_BYTES + i * record;
        Glyph& glyph = glyphs[slotOfCode(read16(at))];
        glyph.present = true;
        glyph.advance64 = static_cast<int32_t>(read16(at + 2));
        const uint8_t* row = at + GLYPH_HEAD_BYTES;
        for (uint32_t y = 0; y < height; ++y, row += rowBytes) {
            uint32_t mask = 0;
            for (uint32_t b = 0; b < rowBytes; ++b) mask |= static_cast<uint32_t>(row[b]) << (8 * b);
            glyph.rows[y] = mask;
        }
    }
    fontHeight = static_cast<int>(height);
    return true;
}

// Steps through a code page 932 text one character at a time: the slot of the
// character at text[*pos] and its size in bytes; -1 for a broken double-byte
// code (one byte long), -2 at the end.
int slotAt(const char* text, int length, int pos, int* size) {
    if (pos >= length) return -2;
    const uint8_t lead = static_cast<uint8_t>(text[pos]);
    if (!isLeadByte(lead)) {
        *size = 1;
        return lead;
    }
    if (pos + 1 >= length) return -2;
    const uint8_t trail = static_cast<uint8_t>(text[pos + 1]);
    *size = 1;
    if (!isTrailByte(trail)) return -1;
    *size = 2;
    return slotOf(lead, trail);
}
}  // namespace

namespace {
// The reflected polynomial 0xEDB88320 one byte at a time.
struct CrcTable {
    uint32_t entries[256];
    constexpr CrcTable() : entries() {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
            entries[n] = c;
        }
    }
};
constexpr CrcTable CRC_TABLE;
}  // namespace

uint32_t glyphfile::crc32(const uint8_t* bytes, size_t size, uint32_t crc) {
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = CRC_TABLE.entries[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

FontFile loadTextFont(const FileSteps& files) {
    if (fontHeight != 0) return FontFile::Loaded;
    const FileRead read = files.readFile(PATH, fileBytes, sizeof fileBytes);
    if (read.outcome == ReadOutcome::Missing) return FontFile::Missing;
    if (read.outcome != ReadOutcome::Read) return FontFile::Unreadable;
    // A file that fills the buffer may go on past it: not the whole file.
    return read.length < sizeof fileBytes && loadGlyphs(fileBytes, read.length) ? FontFile::Loaded
                                                                                : FontFile::Damaged;
}

bool openTextFont() { return loadTextFont(backend().files) == FontFile::Loaded; }

void closeTextFont() {
    std::memset(static_cast<void*>(glyphs), 0, sizeof glyphs);
    fontHeight = 0;
}

int textHeight() { return fontHeight; }

const Glyph* nextGlyph(const char* text, int length, int* pos) {
    int size = 1;
    const int slot = slotAt(text, length, *pos, &size);
    if (slot == -2) {
        *pos = length;
        return nullptr;
    }
    *pos += size;
    if (slot == -1) {
        static const Glyph blank{};
        return &blank;
    }
    return &glyphs[slot];
}

int textWidth(const char* text, int length) {
    int32_t width64 = 0;
    int pos = 0;
    while (const Glyph* glyph = nextGlyph(text, length, &pos)) width64 += glyph->advance64;
    return (width64 + 63) / 64;
}

int textWidth(const char* text) { return textWidth(text, static_cast<int>(std::strlen(text))); }
