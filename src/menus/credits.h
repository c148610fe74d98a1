// Credits roll.
#pragma once
#include "game/next.h"

#include <SDL.h>

// Source window into the credits image: its y is the scroll, 0 whenever the roll starts.
extern SDL_Rect camera_credits;

// Scrolls the credits image up 2 rows a pass until it has run through (1024 passes) or
// B is pressed; ends at the main menu entry.
Next credits();
