// SPDX-License-Identifier: GPL-2.0-or-later
// Which records each save file holds.
#include "state/save_layout.h"

#include <bit>
#include <cstring>

#include "state/records.h"

static_assert(std::endian::native == std::endian::little, "the save files are little-endian record images");
static_assert(sizeof ListedCompanies == DATA_FILE_SIZE);
static_assert(sizeof Player + sizeof Calendar + sizeof PortfolioValue + sizeof CatalogIndex ==
              EDIT_FILE_SIZE);
static_assert(sizeof Holdings == RIST_FILE_SIZE);
static_assert(sizeof PriceHistory == GRAFU_FILE_SIZE);
static_assert(sizeof GraphState + sizeof TradeRows == GRAFU2_FILE_SIZE);

// clang-format off
const SaveFileLayout saveFiles[SAVE_FILE_COUNT] = {
    {"savedat/data.txt", "savedat/data.txt.new", DATA_FILE_SIZE, 1,
     {{ListedCompanies, sizeof ListedCompanies}}},
    {"savedat/edit.txt", "savedat/edit.txt.new", EDIT_FILE_SIZE, 4,
     {{&Player, sizeof Player},
      {&Calendar, sizeof Calendar},
      {&PortfolioValue, sizeof PortfolioValue},
      {CatalogIndex, sizeof CatalogIndex}}},
    {"savedat/rist.txt", "savedat/rist.txt.new", RIST_FILE_SIZE, 1, {{Holdings, sizeof Holdings}}},
    {"savedat/grafu.txt", "savedat/grafu.txt.new", GRAFU_FILE_SIZE, 1,
     {{PriceHistory, sizeof PriceHistory}}},
    {"savedat/grafu2.txt", "savedat/grafu2.txt.new", GRAFU2_FILE_SIZE, 2,
     {{&GraphState, sizeof GraphState}, {TradeRows, sizeof TradeRows}}},
};
// clang-format on

void gatherSaveFile(const SaveFileLayout& layout, uint8_t* image) {
    for (int i = 0; i < layout.blockCount; ++i) {
        std::memcpy(image, layout.blocks[i].bytes, layout.blocks[i].size);
        image += layout.blocks[i].size;
    }
}

void scatterSaveFile(const SaveFileLayout& layout, const uint8_t* image, size_t length) {
    for (int i = 0; i < layout.blockCount && length > 0; ++i) {
        size_t take = layout.blocks[i].size < length ? layout.blocks[i].size : length;
        std::memcpy(layout.blocks[i].bytes, image, take);
        image += take;
        length -= take;
    }
}
