// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/frame_stats.h"

#include <cstdio>

#include "core/devices.h"
#include "core/reset.h"
#include "core/scenes.h"

namespace {
FILE* out = nullptr;
char buffer[1 << 16];
uint64_t sceneCallMicros = 0;
int32_t sceneOfCall = 0;  // the scene that drew the frame
int linesSinceFlush = 0;
bool firstFlushed = false;
}  // namespace

bool openFrameStats(const char* path) {
    closeFrameStats();
    out = std::fopen(path, "w");
    if (out == nullptr) return false;
    std::setvbuf(out, buffer, _IOFBF, sizeof buffer);
    firstFlushed = false;
    return true;
}

void closeFrameStats() {
    if (out != nullptr) std::fclose(out);
    out = nullptr;
}

void frameStatsSceneCall() {
    if (out == nullptr) return;
    sceneCallMicros = clockMicros();
    sceneOfCall = loop.GameScene;
}

void frameStatsPresent(uint64_t showStartMicros, uint64_t showEndMicros) {
    if (out == nullptr) return;
    const long date = currentDate();
    std::fprintf(out, "%llu %d %ld %llu %llu\n", static_cast<unsigned long long>(showEndMicros),
                 static_cast<int>(sceneOfCall), date,
                 static_cast<unsigned long long>(showStartMicros - sceneCallMicros),
                 static_cast<unsigned long long>(showEndMicros - showStartMicros));
    // The first frame at once (start-up is measured by it), then about once
    // a second, so a reader sees the run as it goes.
    if (++linesSinceFlush >= 60 || !firstFlushed) {
        firstFlushed = true;
        std::fflush(out);
        linesSinceFlush = 0;
    }
}
