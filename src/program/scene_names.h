// SPDX-License-Identifier: GPL-2.0-or-later
// Script names of the scene numbers.
#pragma once
#include <cstdint>
#include <string>

// "market" for 3 and so on; "none" outside 0 to 15.
const char* sceneName(int32_t scene);
// A scene given by name or number; false when it is neither.
bool parseScene(const std::string& word, int32_t& scene);
