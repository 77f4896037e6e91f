// SPDX-License-Identifier: GPL-2.0-or-later
// Program-start values of the core, and the hooks through which the layers
// above it take part in the reset and the shutdown without the core knowing
// them.
#pragma once

// Scene, frame counter, generator, tables, surfaces, palette, input.
void resetCoreState();

using CoreHook = void (*)();
// The shutdown runs these once, after its own steps, in the order added.
void addShutdownHook(CoreHook hook);
// The frame statistics ask this for the game's date (yyyymmdd); 0 without one.
void setDateSource(long (*source)());
long currentDate();
