// Credits roll.
#include "menus/credits.h"

Next credits() { return TO_MAIN_MENU_ENTRY; }
