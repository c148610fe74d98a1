// The menu screens' shared flags and cursors.
#include "menus/menustate.h"

int menu1, menu2, menu3, menu4, menu5, menu6, menu7, menu8;
int cursor_count, cursor_count2;
