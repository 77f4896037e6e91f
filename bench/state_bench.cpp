// Saving and loading the five save files, and writing the ranking file, in a
// temporary folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "frontend/rank_table.h"
#include "shell/reset.h"
#include "shell/rng.h"
#include "state/records.h"
#include "state/save_files.h"

namespace {

// Works in a fresh temporary folder for the length of one benchmark.
class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/kabubench-XXXXXX";
        const char* made = mkdtemp(pattern);
        if (made == nullptr || getcwd(previous_, sizeof previous_) == nullptr || chdir(made) != 0)
            std::abort();
        folder_ = made;
    }
    ~TempFolder() {
        if (chdir(previous_) != 0) std::abort();
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }

private:
    char previous_[4096];
    std::string folder_;
};

void startGame() {
    resetGameRecords();
    seedRandom(2003);
    newGameSetup();
    Player.cash = 200;
    Calendar = {2003, 1, 1, 10};
}

void BM_SaveGame(benchmark::State& state) {
    TempFolder folder;
    startGame();
    for (auto _ : state) {
        saveGame();
        ++ListedCompanies[0].price;
    }
}
BENCHMARK(BM_SaveGame)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_LoadGame(benchmark::State& state) {
    TempFolder folder;
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
    TempFolder folder;
    resetRankTable();
    saveRankFile();
    for (auto _ : state) saveRankFile();
}
BENCHMARK(BM_SaveRankFileUnchanged)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_SaveRankFileChanged(benchmark::State& state) {
    TempFolder folder;
    resetRankTable();
    for (auto _ : state) {
        ++RankTable[0].cash;
        saveRankFile();
    }
}
BENCHMARK(BM_SaveRankFileChanged)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
