// Sound volume: one volume for music and effects, in steps of 10 from 0 to 100.
#pragma once
#include "game/next.h"

// Runs the volume screen; each change applies to the mixer at once. B leaves it, to the
// main menu entry.
Next volume_screen();
