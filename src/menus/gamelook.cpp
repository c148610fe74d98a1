// Game look options.
#include "menus/gamelook.h"

int bg_menu, flame_menu, nk_menu;

Next game_look() { return TO_MAIN_MENU_ENTRY; }
