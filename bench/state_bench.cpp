// SPDX-License-Identifier: GPL-2.0-or-later
// Saving and loading the five save files, and writing the ranking file, in a
// temporary folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/rng.h"
#include "frontend/rank_table.h"
#include "program/program.h"
#include "scratch_folder.h"
#include "state/records.h"
#include "state/save_files.h"

namespace {

void startGame() {
    resetGameRecords();
    seedRandom(2003);
    newGameSetup();
    Player.cash = 200;
    Calendar = {2003, 1, 1, 10};
}

void BM_SaveGame(benchmark::State& state) {
    ScratchFolder folder;
    startGame();
    for (auto _ : state) {
        saveGame();
        ++ListedCompanies[0].price;
    }
}
BENCHMARK(BM_SaveGame)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_LoadGame(benchmark::State& state) {
    ScratchFolder folder;
    startGame();
    saveGame();
    for (auto _ : state) {
        loadGame();
        benchmark::DoNotOptimize(ListedCompanies[0].price);
    }
}
BENCHMARK(BM_LoadGame)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The ranking screen saves on every frame; the table rarely changes.
void BM_SaveRankFileUnchanged(benchmark::State& state) {
    ScratchFolder folder;
    resetRankTable();
    saveRankFile();
    for (auto _ : state) saveRankFile();
}
BENCHMARK(BM_SaveRankFileUnchanged)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_SaveRankFileChanged(benchmark::State& state) {
    ScratchFolder folder;
    resetRankTable();
    for (auto _ : state) {
        ++RankTable[0].cash;
        saveRankFile();
    }
}
BENCHMARK(BM_SaveRankFileChanged)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
