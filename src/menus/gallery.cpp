// Guitar gallery: four guitars unlocked by wins.
#include "menus/gallery.h"

Next guitar_gallery() { return TO_MAIN_MENU_ENTRY; }
