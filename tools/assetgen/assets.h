// SPDX-License-Identifier: GPL-2.0-or-later
// The pictures, pieces of music and glyphs of data/, one maker each.
#pragma once
#include <string>

#include "art.h"

namespace art {

Canvas makeSpriteSheet();     // char.BMP, 800 x 726
Canvas makeMarketBoard();     // gamemain.BMP
Canvas makeBuyScreen();       // kounyu.BMP
Canvas makeSellScreen();      // uke.BMP
Canvas makeSupportScreen();   // shien.BMP
Canvas makeCertificate();     // hyosho.BMP
Canvas makeRankingScreen();   // ranking.BMP
Canvas makeTitleScreen();     // title.BMP
Canvas makeGraphPaper();      // grfback.BMP
Canvas makeNameEntryTile();   // edit.BMP, tiles seamlessly
Canvas makeGameOverScreen();  // over.BMP
Canvas makePhotoSheet();      // syasin.BMP, 500 x 500

// Writes an 8-bit bitmap with the shared palette. False on failure.
bool writeBitmap(const std::string& path, const Canvas& canvas);

}  // namespace art

namespace music {
// Writes the four pieces into the folder. False on failure.
bool writeTitleTheme(const std::string& path);
bool writeNameEntryTune(const std::string& path);
bool writeGameTheme(const std::string& path);
bool writeEndingTheme(const std::string& path);
}  // namespace music

namespace fontfile {
// Writes the game font's glyph file (every code page 932 character in
// IPAGothic at 13 pixels). False on failure.
bool writeGlyphFile(const std::string& path);
}  // namespace fontfile

namespace icon {
// Writes the application icon as FOLDER/hicolor/NxN/apps/kabusim.png, 16 to
// 512 pixels (192 and 512 for the browser's web app manifest), and the sizes
// up to 256 as the Windows icon FOLDER/kabusim.ico.
// False on failure.
bool writeIcons(const std::string& folder);
}  // namespace icon
