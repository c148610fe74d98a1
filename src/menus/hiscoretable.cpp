// Highscore table.
#include "menus/hiscoretable.h"

int select_score;

Next highscore_table() { return TO_PLAY_SUBMENU; }
