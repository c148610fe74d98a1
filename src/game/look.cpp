// The game look's three choices.
#include "game/look.h"

int bg_menu, flame_menu, nk_menu;
