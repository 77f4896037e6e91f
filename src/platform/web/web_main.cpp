// SPDX-License-Identifier: GPL-2.0-or-later
// The program entry in the browser: the game on the browser backend, and the
// state the page's test hook reports.
#include <cstdio>

#include "core/devices.h"
#include "core/scenes.h"
#include "platform/web/web_backend.h"
#include "program/program.h"
#include "program/scene_names.h"
#include "state/records.h"

namespace {
// {"scene":NAME,"year":Y,"month":M,"day":D,"yearsLeft":N,"cash":C,"cursor":[X,Y],
//  "holdings":[30 share counts]}
void describe(char* text, size_t size) {
    size_t length = static_cast<size_t>(std::snprintf(
        text, size,
        "{\"scene\":\"%s\",\"year\":%d,\"month\":%d,\"day\":%d,\"yearsLeft\":%d,\"cash\":%d,\"cursor\":[%d,%d],"
        "\"holdings\":[",
        sceneName(loop.GameScene), Calendar.year, Calendar.month, Calendar.day, Calendar.yearsLeft, Player.cash,
        devices.cursorPos.x, devices.cursorPos.y));
    for (int slot = 0; slot < SLOTS && length < size; ++slot) {
        length += static_cast<size_t>(
            std::snprintf(text + length, size - length, slot == 0 ? "%d" : ",%d", Holdings[slot].shares));
    }
    if (length < size) std::snprintf(text + length, size - length, "]}");
}
}  // namespace

int main() {
    webRun(WebProgram{resetProgramState, describe});
    return 0;
}
