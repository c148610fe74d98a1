// What the menu screens share: their loop-exit flags and the two menu cursors.
#pragma once

// Loop-exit flags of the nested menus, all cleared at the main menu entry.
extern int menu1, menu2, menu3, menu4, menu5, menu6, menu7, menu8;
// Main-menu cursor (0..4), also borrowed by the options screens; never reset.
extern int cursor_count;
// Play-submenu cursor (0..4), reset at the main menu entry.
extern int cursor_count2;
