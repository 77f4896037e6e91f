// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/shared/picture_scale.h"

#include <cmath>
#include <cstring>

namespace {

int clampSize(int size) { return size > MAX_VIEW_SIZE ? MAX_VIEW_SIZE : size; }

// Mixes two 32-bit pixels byte by byte; share 0 gives a, 256 gives b. The
// channel order does not matter.
inline uint32_t mixPixels(uint32_t a, uint32_t b, uint32_t share) {
    const uint32_t keep = 256 - share;
    const uint32_t redBlue = ((a & 0x00FF00FFu) * keep + (b & 0x00FF00FFu) * share) >> 8;
    const uint32_t greenAlpha = ((a >> 8) & 0x00FF00FFu) * keep + ((b >> 8) & 0x00FF00FFu) * share;
    return (redBlue & 0x00FF00FFu) | (greenAlpha & 0xFF00FF00u);
}

// One picture row converted and scaled to the viewport's width.
void expandRow(uint32_t* out, const uint8_t* in, const AxisMap& columns, const uint32_t* colors) {
    for (int i = 0; i < columns.length; ++i) out[i] = colors[in[columns.source[i]]];
    for (int k = 0; k < columns.seamCount; ++k) {
        const int i = columns.seams[k];
        out[i] = mixPixels(out[i], colors[in[columns.source[i] + 1]], columns.nextShare[i]);
    }
}

// Byte by byte, so that the compiler can do many at once.
void mixRows(uint32_t* out, const uint32_t* a, const uint32_t* b, uint32_t share, int length) {
    uint8_t* to = reinterpret_cast<uint8_t*>(out);
    const uint8_t* from = reinterpret_cast<const uint8_t*>(a);
    const uint8_t* toward = reinterpret_cast<const uint8_t*>(b);
    const uint16_t next = static_cast<uint16_t>(share);
    const uint16_t keep = static_cast<uint16_t>(256 - share);
    for (int i = 0; i < length * 4; ++i)
        to[i] = static_cast<uint8_t>((from[i] * keep + toward[i] * next) >> 8);
}

// Scaled rows of the frame being converted: row r lives in slot r & 1, so a
// row and the one below it are at hand together.
uint32_t scaledRows[2][MAX_VIEW_SIZE];
int scaledRowSource[2];

}  // namespace

Viewport viewportFor(int windowWidth, int windowHeight, ScaleMode mode) {
    if (windowWidth <= 0 || windowHeight <= 0) return Viewport{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    windowWidth = clampSize(windowWidth);
    windowHeight = clampSize(windowHeight);
    int width = windowWidth;
    int height = width * SCREEN_HEIGHT / SCREEN_WIDTH;
    if (height > windowHeight) {
        height = windowHeight;
        width = height * SCREEN_WIDTH / SCREEN_HEIGHT;
    }
    if (mode == ScaleMode::Integer && width >= SCREEN_WIDTH) {
        const int factor = width / SCREEN_WIDTH;
        width = factor * SCREEN_WIDTH;
        height = factor * SCREEN_HEIGHT;
    }
    return Viewport{(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}

Point windowToPicture(const Viewport& view, double windowX, double windowY) {
    const auto pictureAt = [](double offset, int viewSize, int pictureSize) {
        const double at = viewSize > 0 ? std::floor(offset * pictureSize / viewSize) : 0;
        return static_cast<int32_t>(at < 0 ? 0 : at >= pictureSize ? pictureSize - 1 : at);
    };
    return Point{pictureAt(windowX - view.x, view.width, SCREEN_WIDTH),
                 pictureAt(windowY - view.y, view.height, SCREEN_HEIGHT)};
}

void buildAxisMap(AxisMap& map, int pictureSize, int viewSize) {
    viewSize = clampSize(viewSize);
    map.length = viewSize < 0 ? 0 : viewSize;
    map.seamCount = 0;
    // Window pixel i spans [i * picture, (i + 1) * picture) and picture pixel
    // s spans [s * view, (s + 1) * view), both in 1/(picture * view) steps.
    for (int i = 0; i < map.length; ++i) {
        const int source = i * pictureSize / viewSize;
        const int seam = (source + 1) * viewSize;
        const int end = (i + 1) * pictureSize;
        int share = 0;
        if (viewSize > pictureSize && end > seam && source + 1 < pictureSize) {
            share = ((end - seam) * 256 + pictureSize / 2) / pictureSize;
        }
        map.source[i] = static_cast<int16_t>(source);
        map.nextShare[i] = static_cast<uint16_t>(share);
        if (share > 0) map.seams[map.seamCount++] = static_cast<int16_t>(i);
    }
}

void scalePicture(uint32_t* target, int targetPitchPixels, const Viewport& view, const AxisMap& columns,
                  const AxisMap& rows, const uint8_t* pixels, int pitch, const uint32_t* colors) {
    scalePictureRows(target, targetPitchPixels, view, columns, rows, pixels, pitch, colors, 0, rows.length);
}

void scalePictureRows(uint32_t* target, int targetPitchPixels, const Viewport& view, const AxisMap& columns,
                      const AxisMap& rows, const uint8_t* pixels, int pitch, const uint32_t* colors, int firstRow,
                      int endRow) {
    if (firstRow < 0) firstRow = 0;
    if (endRow > rows.length) endRow = rows.length;
    scaledRowSource[0] = -1;
    scaledRowSource[1] = -1;
    auto scaledRow = [&](int source) -> const uint32_t* {
        uint32_t* row = scaledRows[source & 1];
        if (scaledRowSource[source & 1] != source) {
            expandRow(row, pixels + source * pitch, columns, colors);
            scaledRowSource[source & 1] = source;
        }
        return row;
    };
    const int width = columns.length;
    for (int y = firstRow; y < endRow; ++y) {
        uint32_t* out = target + static_cast<long>(view.y + y) * targetPitchPixels + view.x;
        const int source = rows.source[y];
        const uint32_t share = rows.nextShare[y];
        if (share == 0) {
            std::memcpy(out, scaledRow(source), width * sizeof(uint32_t));
        } else {
            const uint32_t* upper = scaledRow(source);
            mixRows(out, upper, scaledRow(source + 1), share, width);
        }
    }
}

int windowedFactor(int usableWidth, int usableHeight) {
    // Room for the frame across the width as well as down the height.
    constexpr int FRAME_MARGIN = 64;
    const int across = (usableWidth - FRAME_MARGIN) / SCREEN_WIDTH;
    const int down = (usableHeight - FRAME_MARGIN) / SCREEN_HEIGHT;
    const int factor = across < down ? across : down;
    return factor < 1 ? 1 : factor;
}
