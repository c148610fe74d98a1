// Guitar gallery: four guitars unlocked by wins.
#pragma once
#include "game/next.h"
#include "songs/catalogue.h"

#include <SDL.h>

// Source window into the description image of a page: its y is the scroll, 0..370.
extern SDL_Rect dst_txtbox;
// The scroll thumb beside the description: y follows the scroll from 86 to 197.
extern SDL_Rect dst_cursorbar;

// Runs the gallery from page count_song (0 after the main menu entry); B leaves it, to
// the main menu entry.
Next guitar_gallery();
