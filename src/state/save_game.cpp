// SPDX-License-Identifier: GPL-2.0-or-later
// Writing the five save files.
#include <cstdint>

#include "state/save_files.h"
#include "state/save_layout.h"
#include "state/save_set.h"

bool saveGame() {
    uint8_t data[DATA_FILE_SIZE];
    uint8_t edit[EDIT_FILE_SIZE];
    uint8_t rist[RIST_FILE_SIZE];
    uint8_t grafu[GRAFU_FILE_SIZE];
    uint8_t grafu2[GRAFU2_FILE_SIZE];
    uint8_t* const images[SAVE_FILE_COUNT] = {data, edit, rist, grafu, grafu2};
    for (int file = 0; file < SAVE_FILE_COUNT; ++file) gatherSaveFile(saveFiles[file], images[file]);
    return writeSaveSet(images);
}
