// SPDX-License-Identifier: GPL-2.0-or-later
// The one palette of every game bitmap:
//   0        black
//   1-123    a 5 x 5 x 5 colour cube (levels 0, 64, 128, 191, 255) without black and white
//   124-154  a grey ramp, 8 to 248 in steps of 8 (the staff roll fades text through it)
//   155-156  the market board's highlight backgrounds
//   157-253  ramps for the artwork: navy, gold, green, crimson, skin, wood, teal, purple, sky, cream, orange
//   254      the colour key, used by no artwork
//   255      white
#include <cstdlib>
#include <unordered_map>

#include "art.h"

namespace art {
namespace {

Rgb table[256];
bool built = false;

void addRamp(int& next, Rgb from, Rgb to, int steps) {
    for (int i = 0; i < steps; ++i) {
        table[next++] = mix(from, to, steps == 1 ? 0 : i * 256 / (steps - 1));
    }
}

void build() {
    int next = 0;
    table[next++] = rgb(0, 0, 0);
    static const int levels[5] = {0, 64, 128, 191, 255};
    for (int r = 0; r < 5; ++r) {
        for (int g = 0; g < 5; ++g) {
            for (int b = 0; b < 5; ++b) {
                if ((r | g | b) == 0 || (r == 4 && g == 4 && b == 4)) continue;
                table[next++] = rgb(levels[r], levels[g], levels[b]);
            }
        }
    }
    for (int v = 8; v <= 248; v += 8) table[next++] = rgb(v, v, v);
    table[next++] = rgb(150, 55, 255);
    table[next++] = rgb(255, 160, 255);
    addRamp(next, rgb(6, 10, 36), rgb(180, 205, 255), 14);     // navy
    addRamp(next, rgb(70, 42, 0), rgb(255, 244, 160), 12);     // gold
    addRamp(next, rgb(0, 36, 16), rgb(170, 250, 180), 12);     // green
    addRamp(next, rgb(64, 0, 10), rgb(255, 150, 150), 10);     // crimson
    addRamp(next, rgb(120, 70, 45), rgb(255, 228, 200), 8);    // skin
    addRamp(next, rgb(40, 22, 10), rgb(220, 170, 110), 10);    // wood
    addRamp(next, rgb(0, 40, 50), rgb(150, 240, 240), 9);      // teal
    addRamp(next, rgb(30, 8, 50), rgb(215, 170, 255), 8);      // purple
    addRamp(next, rgb(200, 225, 250), rgb(250, 252, 255), 4);  // sky
    addRamp(next, rgb(226, 210, 170), rgb(255, 250, 236), 4);  // cream paper
    addRamp(next, rgb(120, 40, 0), rgb(255, 200, 90), 6);      // orange
    if (next != INDEX_KEY) std::abort();                       // the ramps must fill the table exactly
    table[254] = rgb(254, 1, 253);
    table[255] = rgb(255, 255, 255);
    built = true;
}

}  // namespace

Rgb mix(Rgb a, Rgb b, int t) {
    if (t < 0) t = 0;
    if (t > 256) t = 256;
    return rgb((a.r * (256 - t) + b.r * t + 128) >> 8, (a.g * (256 - t) + b.g * t + 128) >> 8,
               (a.b * (256 - t) + b.b * t + 128) >> 8);
}

Rgb shade(Rgb c, int percent) {
    if (percent >= 100) return mix(c, rgb(255, 255, 255), (percent - 100) * 256 / 100);
    return mix(rgb(0, 0, 0), c, percent * 256 / 100);
}

const Rgb* palette() {
    if (!built) build();
    return table;
}

uint8_t nearestIndex(Rgb c) {
    static std::unordered_map<uint32_t, uint8_t> cache;
    const uint32_t keyValue = (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b;
    auto found = cache.find(keyValue);
    if (found != cache.end()) return found->second;
    const Rgb* p = palette();
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 256; ++i) {
        if (i == INDEX_KEY) continue;
        const long dr = c.r - p[i].r, dg = c.g - p[i].g, db = c.b - p[i].b;
        const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    cache[keyValue] = static_cast<uint8_t>(best);
    return static_cast<uint8_t>(best);
}

}  // namespace art
