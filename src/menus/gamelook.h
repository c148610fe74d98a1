// Game look screen: where the backdrop, hit-flame style and neck of game/look are chosen.
#pragma once
#include "game/next.h"

// Runs the game look screen with the cursor where the options menu left it (entry 1);
// left through its back entry, to the main menu entry.
Next game_look();
