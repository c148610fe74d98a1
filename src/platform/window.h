// The game's window: its video mode, its whole-factor scaling and the switch to full screen.
#pragma once
#include <SDL.h>

// Asks sdl12-compat for nearest-neighbour scaling, unless the player chose otherwise.
// Must run before SDL starts.
void window_prepare();
// Sets the video mode, a software surface of `width` x `height` x `bpp`. On a desktop the
// real game's window is the largest whole multiple of that size which fits the desktop,
// every screen pixel a square block (unless the player set SDL12COMPAT_WINDOW_SCALING);
// the real game also opens every game controller here.
SDL_Surface *platform_set_video_mode(int width, int height, int bpp);
// Makes the real game's video mode fill the whole display (a handheld's): the largest
// whole multiple of the game's size that fits, centred on black, no room kept for panels.
void window_fill_screen();
// Switches between the window and full screen.
void window_toggle_full_screen();
