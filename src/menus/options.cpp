// Options menu: buttons, game look, sound, save and load.
#include "menus/options.h"

Next options_menu() { return TO_MAIN_MENU_ENTRY; }
