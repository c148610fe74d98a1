// Song selection: page through the five songs and start one.
#include "menus/songselect.h"

Next song_selection() { return TO_PLAY_SUBMENU; }
