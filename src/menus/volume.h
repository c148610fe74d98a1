// Sound volume: one volume for music and effects, in steps of 10 from 0 to 100.
#pragma once
#include "game/next.h"

// Runs the volume screen; each change applies to the mixer at once. A opens the sync
// calibration, which comes back here; B leaves, to the main menu entry.
Next volume_screen();
