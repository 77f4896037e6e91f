// SPDX-License-Identifier: GPL-2.0-or-later
// A readable text image of the game in progress: the player, money, date and
// every slot with its company, price, holding and price history. Two runs that
// hold the same game write the same text.
#pragma once
#include <string>

bool dumpState(const std::string& path);
