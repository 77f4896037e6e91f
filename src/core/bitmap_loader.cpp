// SPDX-License-Identifier: GPL-2.0-or-later
// Loads 8-bit bitmap files into surfaces; the screen takes the file's colours.
#include <cstring>

#include "core/devices.h"
#include "core/files.h"

namespace {
// The largest bitmap of the game is the 800 x 726 sprite sheet.
constexpr size_t MAX_BITMAP_BYTES = 1 << 20;
uint8_t fileBytes[MAX_BITMAP_BYTES];

uint32_t get16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t get32(const uint8_t* p) { return get16(p) | (get16(p + 2) << 16); }

struct Bitmap {
    int width = 0;
    int height = 0;
    bool topDown = false;
    size_t pixelOffset = 0;
    size_t stride = 0;
    size_t paletteOffset = 0;
    int colorCount = 0;
    int colorSize = 4;  // bytes per colour-table entry
};

// An uncompressed 8-bit bitmap whose colour table and rows lie wholly inside
// the `size` bytes read; false for anything else.
bool parseBitmap(const uint8_t* bytes, size_t size, Bitmap& bitmap) {
    if (size < 26 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    bitmap.pixelOffset = get32(bytes + 10);
    const uint32_t headerSize = get32(bytes + 14);
    int32_t height = 0;
    uint32_t planes = 0;
    uint32_t bits = 0;
    uint32_t used = 0;
    if (headerSize == 12) {  // the old core header: 16-bit sizes, 3-byte colours
        bitmap.width = static_cast<int>(get16(bytes + 18));
        height = static_cast<int16_t>(get16(bytes + 20));
        planes = get16(bytes + 22);
        bits = get16(bytes + 24);
        bitmap.colorSize = 3;
    } else if (headerSize >= 40 && headerSize <= 124 && size >= 14 + 40) {
        bitmap.width = static_cast<int32_t>(get32(bytes + 18));
        height = static_cast<int32_t>(get32(bytes + 22));
        planes = get16(bytes + 26);
        bits = get16(bytes + 28);
        if (get32(bytes + 30) != 0) return false;  // compressed
        used = get32(bytes + 46);
    } else {
        return false;
    }
    if (planes != 1 || bits != 8 || bitmap.width <= 0 || bitmap.width > 0x4000) return false;
    if (height == 0 || height < -0x4000 || height > 0x4000) return false;
    bitmap.topDown = height < 0;
    bitmap.height = height < 0 ? -height : height;
    bitmap.colorCount = used == 0 || used > 256 ? 256 : static_cast<int>(used);
    bitmap.paletteOffset = 14 + headerSize;
    // A colour table cut short by the pixels keeps only the entries before them.
    const size_t tableEnd = bitmap.paletteOffset + static_cast<size_t>(bitmap.colorCount) * bitmap.colorSize;
    if (bitmap.pixelOffset < tableEnd) {
        if (bitmap.pixelOffset < bitmap.paletteOffset) return false;
        bitmap.colorCount = static_cast<int>((bitmap.pixelOffset - bitmap.paletteOffset) / bitmap.colorSize);
    }
    bitmap.stride = (static_cast<size_t>(bitmap.width) + 3) & ~size_t{3};
    return bitmap.pixelOffset <= size && bitmap.stride * bitmap.height <= size - bitmap.pixelOffset;
}
}  // namespace

void loadBitmapToSurface(Surface& s, const char* fileName) {
    const FileRead read = readWholeFile(fileName, fileBytes, sizeof fileBytes);
    Bitmap bitmap;
    if (read.outcome != ReadOutcome::Read || !parseBitmap(fileBytes, read.length, bitmap)) return;

    // A colour table of fewer than 256 entries leaves the rest black.
    PaletteEntry entries[256] = {};
    for (int i = 0; i < 256; ++i) {
        if (i < bitmap.colorCount) {
            const uint8_t* color =
                fileBytes + bitmap.paletteOffset + static_cast<size_t>(i) * bitmap.colorSize;
            entries[i].red = color[2];
            entries[i].green = color[1];
            entries[i].blue = color[0];
        }
        entries[i].flags = 5;
    }
    setDisplayPalette(entries);
    getDisplayPalette(devices.displayPalette);
    getDisplayPalette(devices.targetPalette);

    if (!s.held || s.pixels == nullptr) return;
    const int width = bitmap.width < s.width ? bitmap.width : s.width;
    const int height = bitmap.height < s.height ? bitmap.height : s.height;
    for (int row = 0; row < height; ++row) {
        const int fileRow = bitmap.topDown ? row : bitmap.height - 1 - row;
        const uint8_t* source = fileBytes + bitmap.pixelOffset + static_cast<size_t>(fileRow) * bitmap.stride;
        std::memcpy(s.pixels + row * s.pitch, source, static_cast<size_t>(width));
    }
}
