// SPDX-License-Identifier: GPL-2.0-or-later
// Script names of the scene numbers.
#include "program/scene_names.h"

#include <cstdlib>

namespace {
constexpr const char* NAMES[16] = {
    "title_load", "title_menu",   "name_entry", "market", "buy",     "holdings",  "sell",    "support",
    "ending_start", "staff_roll", "graph_load", "graph",  "award",   "opening",   "game_over", "ranking",
};
}  // namespace

const char* sceneName(int32_t scene) { return scene >= 0 && scene < 16 ? NAMES[scene] : "none"; }

bool parseScene(const std::string& word, int32_t& scene) {
    for (int32_t i = 0; i < 16; ++i) {
        if (word == NAMES[i]) {
            scene = i;
            return true;
        }
    }
    if (word.empty()) return false;
    char* end = nullptr;
    const long value = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || value < 0 || value > 15) return false;
    scene = static_cast<int32_t>(value);
    return true;
}
