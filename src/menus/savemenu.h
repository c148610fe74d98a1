// Save, load and clear the progress counters.
#pragma once
#include "game/next.h"

// Runs the save menu with the cursor where the options menu left it (entry 3); left
// through its back entry, to the main menu entry.
Next save_menu();
