// SPDX-License-Identifier: GPL-2.0-or-later
// Contact sheet of the generated bitmaps: every picture at full size, the
// name-entry picture once more shifted with wrap-around (a seam would show as
// a cross through the middle), and the sprite sheet at double size with every
// named rectangle outlined in green and the colour key shown as a checkerboard.
//
//   contactsheet DATA_FOLDER OUT.png [DETAIL_FOLDER]
//
// With DETAIL_FOLDER, each bitmap and the outlined sprite sheet are also
// written there as separate PNG files.
#include <cstdio>
#include <string>
#include <vector>

#include "../assetgen/bmp_file.h"
#include "../assetgen/sheet_layout.h"
#include "platform/headless/headless.h"

namespace {

constexpr int GAP = 10;
constexpr int COLUMNS = 3;
constexpr int CELL_W = 640;
constexpr int CELL_H = 480;
constexpr int SHEET_SCALE = 2;

const char* const BACKGROUNDS[] = {"gamemain.BMP", "kounyu.BMP",  "uke.BMP",   "shien.BMP",
                                   "hyosho.BMP",   "over.BMP",    "edit.BMP",  "ranking.BMP",
                                   "title.BMP",    "grfback.BMP", "syasin.BMP"};
constexpr int BACKGROUND_COUNT = sizeof BACKGROUNDS / sizeof BACKGROUNDS[0];

struct Page {
    int width, height;
    std::vector<uint8_t> pixels;
    uint8_t& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

uint8_t nearest(const bmpfile::Image& image, int r, int g, int b) {
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 256; ++i) {
        if (i == 254) continue;
        const long dr = r - image.palette[i][0], dg = g - image.palette[i][1], db = b - image.palette[i][2];
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

void blit(Page& page, int x, int y, const bmpfile::Image& image, int shiftX = 0, int shiftY = 0) {
    for (int sy = 0; sy < image.height; ++sy) {
        for (int sx = 0; sx < image.width; ++sx) {
            const int ix = (sx + shiftX) % image.width, iy = (sy + shiftY) % image.height;
            page.at(x + sx, y + sy) = image.pixels[static_cast<size_t>(iy) * image.width + ix];
        }
    }
}

// The sprite sheet scaled up: key pixels as a checkerboard, rectangles outlined.
void drawSheet(Page& page, int x0, int y0, const bmpfile::Image& sheetImage) {
    const uint8_t light = nearest(sheetImage, 200, 200, 200);
    const uint8_t dark = nearest(sheetImage, 160, 160, 160);
    const uint8_t outline = nearest(sheetImage, 0, 255, 0);
    for (int y = 0; y < sheetImage.height * SHEET_SCALE; ++y) {
        for (int x = 0; x < sheetImage.width * SHEET_SCALE; ++x) {
            uint8_t v =
                sheetImage.pixels[static_cast<size_t>(y / SHEET_SCALE) * sheetImage.width + x / SHEET_SCALE];
            if (v == 254) v = ((x / 8 + y / 8) % 2) ? light : dark;
            page.at(x0 + x, y0 + y) = v;
        }
    }
    for (const sheet::SheetRect& r : sheet::ALL) {
        const int left = x0 + r.left * SHEET_SCALE - 1, right = x0 + r.right * SHEET_SCALE;
        const int top = y0 + r.top * SHEET_SCALE - 1, bottom = y0 + r.bottom * SHEET_SCALE;
        for (int x = left; x <= right; ++x) {
            if (x < 0 || x >= page.width) continue;
            if (top >= 0) page.at(x, top) = outline;
            if (bottom < page.height) page.at(x, bottom) = outline;
        }
        for (int y = top; y <= bottom; ++y) {
            if (y < 0 || y >= page.height) continue;
            if (left >= 0) page.at(left, y) = outline;
            if (right < page.width) page.at(right, y) = outline;
        }
    }
}

bool loadImage(const std::string& path, bmpfile::Image& image) {
    std::string why;
    if (!bmpfile::decode(bmpfile::readFile(path), image, &why)) {
        std::fprintf(stderr, "contactsheet: %s: %s\n", path.c_str(), why.c_str());
        return false;
    }
    return true;
}

bool save(const std::string& path, Page& page, const bmpfile::Image& paletteSource) {
    PaletteEntry palette[256];
    for (int i = 0; i < 256; ++i) {
        palette[i] = PaletteEntry{paletteSource.palette[i][0], paletteSource.palette[i][1],
                                  paletteSource.palette[i][2], 0};
    }
    if (!writePng(path.c_str(), page.pixels.data(), page.width, page.height, page.width, palette)) {
        std::fprintf(stderr, "contactsheet: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: contactsheet DATA_FOLDER OUT.png [DETAIL_FOLDER]\n");
        return 2;
    }
    const std::string data = argv[1];
    const std::string detail = argc == 4 ? argv[3] : "";
    bmpfile::Image sheetImage;
    if (!loadImage(data + "/char.BMP", sheetImage)) return 1;

    const int gridRows = (BACKGROUND_COUNT + 1 + COLUMNS - 1) / COLUMNS;
    Page page;
    page.width = COLUMNS * CELL_W + (COLUMNS + 1) * GAP;
    page.height = gridRows * (CELL_H + GAP) + GAP + sheetImage.height * SHEET_SCALE + GAP;
    page.pixels.assign(static_cast<size_t>(page.width) * page.height, nearest(sheetImage, 48, 48, 56));

    bool ok = true;
    for (int i = 0; i <= BACKGROUND_COUNT; ++i) {
        // The last cell repeats the name-entry picture shifted by half its size.
        const bool shifted = i == BACKGROUND_COUNT;
        const std::string file = shifted ? "edit.BMP" : BACKGROUNDS[i];
        bmpfile::Image image;
        if (!loadImage(data + "/" + file, image)) {
            ok = false;
            continue;
        }
        const int x = GAP + (i % COLUMNS) * (CELL_W + GAP);
        const int y = GAP + (i / COLUMNS) * (CELL_H + GAP);
        if (shifted) {
            blit(page, x, y, image, image.width / 2, image.height / 2);
        } else {
            blit(page, x, y, image);
            if (!detail.empty()) {
                Page single{image.width, image.height, image.pixels};
                ok = save(detail + "/" + file + ".png", single, image) && ok;
            }
        }
    }
    const int sheetY = GAP + gridRows * (CELL_H + GAP);
    drawSheet(page, GAP, sheetY, sheetImage);
    if (!detail.empty()) {
        Page sheetPage{sheetImage.width * SHEET_SCALE + 2, sheetImage.height * SHEET_SCALE + 2, {}};
        sheetPage.pixels.assign(static_cast<size_t>(sheetPage.width) * sheetPage.height, 0);
        drawSheet(sheetPage, 1, 1, sheetImage);
        ok = save(detail + "/char_outlined.png", sheetPage, sheetImage) && ok;
    }
    ok = save(argv[2], page, sheetImage) && ok;
    return ok ? 0 : 1;
}
