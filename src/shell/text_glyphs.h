// Rendered glyphs of the game font, kept as one bit mask per row.
#pragma once
#include <cstdint>

struct Glyph {
    static constexpr int MAX_ROWS = 24;
    enum State : uint8_t { Unknown = 0, Ready, Missing, Claimed };  // Claimed: being rendered
    State state;
    int32_t advance64;  // in 1/64 pixel
    uint32_t rows[MAX_ROWS];
};

// The glyph of the character at text[*pos], moving *pos past it; nullptr at the end.
const Glyph* nextGlyph(const char* text, int length, int* pos);
