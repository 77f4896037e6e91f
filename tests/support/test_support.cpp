// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/test_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/main_loop.h"
#include "core/scenes.h"
#include "program/program.h"
#include "state/save_layout.h"
#include "support/test_platform.h"

namespace testing_support {

namespace fs = std::filesystem;

namespace {
// The folder of the run in progress; it goes with the next run or at exit.
std::string runFolder;
long runOwner = 0;

void removeRunFolder() {
    if (runFolder.empty() || processNumber() != runOwner) return;
    std::error_code error;
    // Windows keeps the working folder from being removed.
    enterFolder(fs::temp_directory_path(error).string());
    fs::remove_all(runFolder, error);
    runFolder.clear();
}
}  // namespace

std::string freshRun() {
    resetProgramState();
    headless::install();
    if (runOwner == 0) std::atexit(removeRunFolder);
    removeRunFolder();
    runOwner = processNumber();
    const std::string folder = makeTempFolder("kabutest");
    if (folder.empty()) std::abort();
    runFolder = folder;
    linkFolder((fs::path(KABU_BINARY_DIR) / "data").string(), (fs::path(folder) / "data").string());
    if (!enterFolder(folder)) std::abort();
    return folder;
}

std::string freshStartedRun() {
    std::string folder = freshRun();
    startup();
    return folder;
}

void runTurns(int count, uint32_t msPerCall) {
    for (int i = 0; i < count; ++i) {
        headless::advanceTime(msPerCall);
        ++loop.frameCounter;
        runScene(loop.GameScene);
    }
}

void mouse(int x, int y, bool down) {
    headless::setCursor(x, y);
    headless::setButton(down);
}

void click(int x, int y, uint32_t msPerCall) {
    mouse(x, y, true);
    runTurns(1, msPerCall);
    mouse(x, y, false);
    runTurns(1, msPerCall);
}

std::string saveScreen(const char* name) {
    const fs::path folder = fs::path(KABU_BINARY_DIR) / "screens";
    std::error_code error;
    fs::create_directories(folder, error);
    const std::string path = (folder / (std::string(name) + ".png")).string();
    writePng(path.c_str(), headless::presentedPixels(), SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_WIDTH,
             headless::presentedPalette());
    return path;
}

std::string savedRecords() {
    std::string all;
    uint8_t image[LARGEST_SAVE_FILE];
    for (int file = 0; file < SAVE_FILE_COUNT; ++file) {
        gatherSaveFile(saveFiles[file], image);
        all.append(reinterpret_cast<const char*>(image), saveFiles[file].size);
    }
    return all;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

uint8_t presentedPixel(int x, int y) { return headless::presentedPixels()[y * SCREEN_WIDTH + x]; }

void pressOnce(int x, int y) {
    mouse(x, y, true);
    runTurns(1);
    mouse(x, y, false);
}

bool spriteShown(int x, int y, Rect source) {
    for (int sy = source.top; sy < source.bottom; ++sy) {
        for (int sx = source.left; sx < source.right; ++sx) {
            const uint8_t pixel = devices.spriteSheet.pixels[sy * devices.spriteSheet.pitch + sx];
            if (pixel == COLOR_KEY) continue;
            if (presentedPixel(x + sx - source.left, y + sy - source.top) != pixel) return false;
        }
    }
    return true;
}

}  // namespace testing_support
