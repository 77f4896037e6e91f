// SPDX-License-Identifier: GPL-2.0-or-later
// The fixed hit areas of the name-entry keyboard.
#include "frontend/front_state.h"

namespace {

constexpr int columnLeft[5] = {51, 118, 177, 240, 303};
constexpr int columnRight[5] = {63, 130, 196, 259, 322};
constexpr int rowTop[5] = {105, 122, 157, 182, 213};
constexpr int rowBottom[5] = {120, 155, 180, 211, 243};

}  // namespace

KeyArea nameKeyArea(int key) {
    if (key >= 0 && key < KEY_Z) {
        const int row = key / 5;
        const int column = key % 5;
        return {columnLeft[column], rowTop[row], columnRight[column], rowBottom[row]};
    }
    if (key == KEY_Z) return {51, 245, 63, 264};
    if (key == KEY_BLANK) return {181, 248, 210, 264};
    if (key == KEY_BACK) return {114, 248, 144, 264};
    return {-1, -1, -2, -2};  // no key: an area nothing lies in
}
