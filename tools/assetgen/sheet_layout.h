// SPDX-License-Identifier: GPL-2.0-or-later
// Every rectangle of the sprite sheet data/char.BMP (800 x 726) that the game
// copies from, left, top, right, bottom (right and bottom exclusive). The sheet
// holds artwork inside these rectangles and the colour key 254 everywhere else.
#pragma once

namespace sheet {

constexpr int WIDTH = 800;
constexpr int HEIGHT = 726;

struct SheetRect {
    const char* name;
    int left, top, right, bottom;
};

constexpr SheetRect CURSOR{"cursor", 9, 0, 26, 26};

// Market button column.
constexpr SheetRect BUY{"buy", 134, 28, 201, 65};
constexpr SheetRect HOLDINGS{"holdings", 134, 65, 201, 102};
constexpr SheetRect SUPPORT{"support", 134, 102, 201, 139};
constexpr SheetRect SAVE{"save", 134, 139, 201, 176};
constexpr SheetRect GRAPH{"graph", 201, 28, 268, 65};
constexpr SheetRect NEXT_DAY{"next day", 402, 28, 468, 65};
constexpr SheetRect NEXT_DAY_PRESSED{"next day pressed", 402, 65, 468, 102};
// The graph screen draws the buy button one pixel smaller.
constexpr SheetRect GRAPH_BUY{"graph buy", 134, 28, 200, 64};

// Trading screens and graph.
constexpr SheetRect PREV{"previous company", 0, 28, 66, 65};
constexpr SheetRect PREV_PRESSED{"previous company pressed", 67, 28, 133, 65};
constexpr SheetRect NEXT{"next company", 0, 65, 66, 102};
constexpr SheetRect NEXT_PRESSED{"next company pressed", 67, 65, 133, 102};
constexpr SheetRect PREV_DISABLED{"previous company disabled", 335, 28, 401, 65};
constexpr SheetRect NEXT_DISABLED{"next company disabled", 335, 65, 401, 102};
constexpr SheetRect ADD{"add", 202, 103, 236, 118};
constexpr SheetRect ADD_PRESSED{"add pressed", 236, 103, 270, 118};
constexpr SheetRect REMOVE{"remove", 202, 118, 236, 133};
constexpr SheetRect REMOVE_PRESSED{"remove pressed", 236, 118, 270, 133};
constexpr SheetRect DECIDE{"decide", 0, 102, 66, 139};
constexpr SheetRect DECIDE_PRESSED{"decide pressed", 67, 102, 133, 139};
constexpr SheetRect BACK{"back", 0, 139, 66, 176};
constexpr SheetRect BACK_PRESSED{"back pressed", 67, 139, 133, 176};

// Holdings list.
constexpr SheetRect SELL{"sell", 268, 28, 335, 65};
constexpr SheetRect HOLDINGS_BACK{"holdings back", 268, 65, 335, 102};

// Ranking screen.
constexpr SheetRect RANKING_BACK{"ranking back", 202, 134, 347, 171};

// Ruin stamps of the market screen.
constexpr SheetRect RUIN_A{"ruin A", 348, 107, 416, 175};
constexpr SheetRect RUIN_B{"ruin B", 417, 113, 484, 175};

// Staff roll logo, title strip, game-over caption.
constexpr SheetRect LOGO{"logo", 2, 177, 448, 261};
constexpr SheetRect TITLE_STRIP{"title strip", 2, 348, 476, 362};
constexpr SheetRect GAME_OVER{"game over caption", 1, 651, 434, 724};

// Asset class icons, class 0 (richest) to 6 (poorest).
constexpr SheetRect CLASS_ICONS[7] = {
    {"class 0", 2, 371, 152, 409}, {"class 1", 2, 410, 152, 446}, {"class 2", 2, 447, 152, 483},
    {"class 3", 2, 484, 152, 520}, {"class 4", 2, 521, 152, 557}, {"class 5", 2, 559, 152, 593},
    {"class 6", 2, 594, 152, 628},
};

// Opening strips, stages 0 to 4.
constexpr SheetRect OPENING[5] = {
    {"opening 0", 295, 511, 461, 530}, {"opening 1", 295, 531, 461, 548}, {"opening 2", 295, 549, 461, 568},
    {"opening 3", 295, 569, 461, 586}, {"opening 4", 295, 587, 461, 613},
};

// All of them, for checks and the contact sheet.
constexpr SheetRect ALL[] = {
    CURSOR,         BUY,
    HOLDINGS,       SUPPORT,
    SAVE,           GRAPH,
    NEXT_DAY,       NEXT_DAY_PRESSED,
    GRAPH_BUY,      PREV,
    PREV_PRESSED,   NEXT,
    NEXT_PRESSED,   PREV_DISABLED,
    NEXT_DISABLED,  ADD,
    ADD_PRESSED,    REMOVE,
    REMOVE_PRESSED, DECIDE,
    DECIDE_PRESSED, BACK,
    BACK_PRESSED,   SELL,
    HOLDINGS_BACK,  RANKING_BACK,
    RUIN_A,         RUIN_B,
    LOGO,           TITLE_STRIP,
    GAME_OVER,      CLASS_ICONS[0],
    CLASS_ICONS[1], CLASS_ICONS[2],
    CLASS_ICONS[3], CLASS_ICONS[4],
    CLASS_ICONS[5], CLASS_ICONS[6],
    OPENING[0],     OPENING[1],
    OPENING[2],     OPENING[3],
    OPENING[4],
};
constexpr int ALL_COUNT = sizeof ALL / sizeof ALL[0];

// Where the screens show what the pictures mark: the title's start and ranking
// hit areas (inclusive bounds).
struct Area {
    int left, top, right, bottom;
};
constexpr Area TITLE_START{255, 285, 402, 323};
constexpr Area TITLE_RANKING{220, 350, 431, 396};

}  // namespace sheet
