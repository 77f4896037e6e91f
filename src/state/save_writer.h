// SPDX-License-Identifier: GPL-2.0-or-later
// Saves written off the game's thread. A save request gathers the five file
// images at once, on the game's thread; a writer thread then writes and
// commits the set, so no frame waits for the disk. One set is written at a
// time, in order; a request made while a set is being written waits in one
// slot, and a newer request replaces it (its images hold all the older did).
// With background saving off (the default) a request writes before returning.
#pragma once
#include <cstdint>

enum class SaveOutcome { Pending, Saved, Failed };

void setBackgroundSaving(bool on);
// Saves the records as they are now; gives the request's ticket (never 0).
uint32_t requestSave();
// Pending until the set holding the request's records has been written (or a
// later one); then whether the last set written reached the disk.
SaveOutcome saveOutcome(uint32_t ticket);
// Waits until every requested set has been written or has failed.
void finishSaves();
// Finishes the saves and ends the writer thread (the shutdown).
void stopSaveWriter();
// Program start: writer stopped, background saving off, no tickets.
void resetSaveWriter();
