// Options menu: buttons, game look, sound, save and load.
#pragma once
#include "game/next.h"

// Runs the options menu and the screen chosen in it; every way out leads to the main
// menu entry.
Next options_menu();
