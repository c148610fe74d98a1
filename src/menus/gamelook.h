// Game look options: which backdrop, hit-flame style and neck the playfield uses.
#pragma once
#include "game/next.h"

extern int bg_menu;    // backdrop 0..3
extern int flame_menu; // hit-flame sheet 0..3
extern int nk_menu;    // neck 0..3

// Runs the game look screen with the cursor where the options menu left it (entry 1);
// left through its back entry, to the main menu entry.
Next game_look();
