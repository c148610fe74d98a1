// Game look options: which backdrop, hit-flame style and neck the playfield uses.
#pragma once
#include "app/flow.h"

extern int bg_menu;    // backdrop 0..3
extern int flame_menu; // hit-flame sheet 0..3
extern int nk_menu;    // neck 0..3

Next game_look();
