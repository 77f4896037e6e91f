// SPDX-License-Identifier: GPL-2.0-or-later
#include "trading/trading_state.h"

#include <cstring>

TradingState trading;

bool pressButton(TradeButton& button, int left, int top, int right, int bottom, bool condition) {
    if (!cursorIn(left, top, right, bottom)) return false;
    if (!keyDown(Key::LeftButton)) {
        button.latch = 0;
        button.image = 0;
        return false;
    }
    if (button.latch != 0 || !condition) return false;
    button.latch = 1;
    button.image = 1;
    return true;
}

void drawSprite(int x, int y, const Rect& source) {
    bltFast(devices.backBuffer, x, y, devices.spriteSheet, source, true);
}

void copyText(char* destination, int size, const char* source, int sourceSize) {
    // Cut at a character boundary: a double-byte character is copied whole or not at all.
    int length = 0;
    while (length < sourceSize && source[length] != '\0') {
        const auto lead = static_cast<unsigned char>(source[length]);
        const int width = ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) ? 2 : 1;
        if (length + width > size - 1 || length + width > sourceSize) break;
        length += width;
    }
    std::memcpy(destination, source, static_cast<size_t>(length));
    destination[length] = '\0';
}

void resetTradingState() { trading = TradingState{}; }
