// SPDX-License-Identifier: GPL-2.0-or-later
// data/edit.BMP: the name-entry background. The scene scrolls it diagonally
// with wrap-around, so every motif is drawn on a torus of 640 x 480: whatever
// leaves one edge comes back at the opposite edge. It stays pale under the
// black keyboard, texts and panel outlines.
#include "assets.h"
#include "widgets.h"

namespace art {
namespace {

// Draws through a callback at the nine wrapped copies of a position.
template <typename Draw>
void wrapped(Draw draw) {
    for (int dy = -480; dy <= 480; dy += 480) {
        for (int dx = -640; dx <= 640; dx += 640) draw(static_cast<float>(dx), static_cast<float>(dy));
    }
}

}  // namespace

Canvas makeNameEntryTile() {
    Canvas c(640, 480, rgb(244, 248, 255));
    // Diagonal stripes, period 40 along x + y (40 divides 640 and 480).
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            if ((x + y) % 40 < 14) c.at(x, y).c = rgb(234, 242, 252);
        }
    }
    // Motifs on an 80-pixel lattice: coins and little rising charts alternate.
    const Rgb tint = rgb(212, 226, 246), tintDark = rgb(196, 214, 240);
    for (int gy = 0; gy < 6; ++gy) {
        for (int gx = 0; gx < 8; ++gx) {
            const float cx = gx * 80.0f + ((gy % 2) ? 40.0f : 0.0f) + 20;
            const float cy = gy * 80.0f + 30;
            if ((gx + gy) % 2 == 0) {
                wrapped([&](float dx, float dy) {
                    strokeEllipse(c, cx + dx, cy + dy, 13, 13, 2, tintDark);
                    fillEllipse(c, cx + dx, cy + dy, 10.5f, 10.5f, tint);
                    line(c, cx + dx - 5, cy + dy - 6, cx + dx, cy + dy, 2, tintDark);
                    line(c, cx + dx + 5, cy + dy - 6, cx + dx, cy + dy, 2, tintDark);
                    line(c, cx + dx, cy + dy, cx + dx, cy + dy + 7, 2, tintDark);
                    line(c, cx + dx - 5, cy + dy + 1, cx + dx + 5, cy + dy + 1, 1.5f, tintDark);
                    line(c, cx + dx - 5, cy + dy + 4, cx + dx + 5, cy + dy + 4, 1.5f, tintDark);
                });
            } else {
                wrapped([&](float dx, float dy) {
                    const float pts[] = {cx + dx - 14, cy + dy + 10, cx + dx - 5,  cy + dy + 2,
                                         cx + dx + 1,  cy + dy + 6,  cx + dx + 12, cy + dy - 8};
                    polyline(c, pts, 4, 3, tintDark);
                    const float head[] = {cx + dx + 16, cy + dy - 12, cx + dx + 6,
                                          cy + dy - 9,  cx + dx + 13, cy + dy - 2};
                    fillPolygon(c, head, 3, tintDark);
                });
            }
        }
    }
    return c;
}

}  // namespace art
