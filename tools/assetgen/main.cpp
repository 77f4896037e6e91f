// SPDX-License-Identifier: GPL-2.0-or-later
// Draws every bitmap, writes every piece of music and the game font's glyphs
// into the folder given on the command line (the build's data/ folder), and the
// application icon into a second folder when one is given.
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "assets.h"
#include "bmp_file.h"

namespace {

struct Picture {
    const char* file;
    art::Canvas (*make)();
};

const Picture PICTURES[] = {
    {"gamemain.BMP", art::makeMarketBoard}, {"char.BMP", art::makeSpriteSheet},
    {"syasin.BMP", art::makePhotoSheet},    {"uke.BMP", art::makeSellScreen},
    {"kounyu.BMP", art::makeBuyScreen},     {"shien.BMP", art::makeSupportScreen},
    {"hyosho.BMP", art::makeCertificate},   {"over.BMP", art::makeGameOverScreen},
    {"edit.BMP", art::makeNameEntryTile},   {"ranking.BMP", art::makeRankingScreen},
    {"title.BMP", art::makeTitleScreen},    {"grfback.BMP", art::makeGraphPaper},
};

struct Piece {
    const char* file;
    bool (*write)(const std::string&);
};

const Piece PIECES[] = {
    {"title.mid", music::writeTitleTheme},
    {"edit.mid", music::writeNameEntryTune},
    {"main.mid", music::writeGameTheme},
    {"2ofus.MID", music::writeEndingTheme},
};

}  // namespace

namespace art {

bool writeBitmap(const std::string& path, const Canvas& canvas) {
    bmpfile::Image image;
    image.width = canvas.width;
    image.height = canvas.height;
    const Rgb* p = palette();
    for (int i = 0; i < 256; ++i) {
        image.palette[i][0] = p[i].r;
        image.palette[i][1] = p[i].g;
        image.palette[i][2] = p[i].b;
    }
    image.pixels = canvas.indexes();
    return bmpfile::writeFile(path, bmpfile::encode(image));
}

}  // namespace art

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: assetgen OUTPUT_FOLDER [ICON_FOLDER]\n");
        return 2;
    }
    const std::string folder = argv[1];
    mkdir(folder.c_str(), 0755);
    if (!art::openFonts()) {
        std::fprintf(stderr,
                     "assetgen: cannot open the IPA fonts (fonts-ipafont-gothic, fonts-ipafont-mincho)\n");
        return 1;
    }
    int failures = 0;
    for (const Picture& picture : PICTURES) {
        const std::string path = folder + "/" + picture.file;
        if (!art::writeBitmap(path, picture.make())) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    art::closeFonts();
    for (const Piece& piece : PIECES) {
        const std::string path = folder + "/" + piece.file;
        if (!piece.write(path)) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    const std::string glyphPath = folder + "/glyphs.bin";
    if (!fontfile::writeGlyphFile(glyphPath)) {
        std::fprintf(stderr, "assetgen: cannot write %s (IPAGothic, fonts-ipafont-gothic)\n", glyphPath.c_str());
        ++failures;
    }
    if (argc == 3 && !icon::writeIcons(argv[2])) {
        std::fprintf(stderr, "assetgen: cannot write the icons in %s\n", argv[2]);
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
