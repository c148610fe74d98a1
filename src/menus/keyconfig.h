// Key configuration: the player presses the buttons for each lane in turn.
#pragma once
#include "game/next.h"

// Runs the ten steps (a first and an alternative button for lanes 1 to 5) from step 0;
// SELECT leaves early, keeping the steps already done. Ends at the main menu entry.
Next key_configuration();
