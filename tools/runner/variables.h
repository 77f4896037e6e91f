// SPDX-License-Identifier: GPL-2.0-or-later
// The game state a script can read by name ("cash", "price.3", "listed.$row",
// ...), the texts it can compare, and the few values a test may set.
#pragma once
#include <cstdint>
#include <string>

// A number by name; false for an unknown name or an index out of range.
bool readNumber(const std::string& name, int64_t& value);
// A text of the game by name, converted to UTF-8; false for an unknown name.
bool readText(const std::string& name, std::string& value);

// Test hooks: a value the game would not reach by itself within a short
// script. Only "price.N" and "framecounter" are accepted.
bool writeNumber(const std::string& name, int64_t value);

// Code page 932 bytes (up to the first NUL within `length`) as UTF-8.
std::string cp932ToUtf8(const char* text, size_t length);
