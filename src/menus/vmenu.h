// The vertical menu with its cursor sheet, shared by the main menu, the play submenu and
// the options screens.
#pragma once
#include "platform/platform.h"

#include <SDL.h>

// Cursor frames in my_surfCursor and where each entry's cursor is drawn.
extern SDL_Rect src_rectCursor, src_rectCursor1, src_rectCursor2, src_rectCursor3, src_rectCursor4;
extern SDL_Rect dst_rectCursor, dst_rectCursor1, dst_rectCursor2, dst_rectCursor3, dst_rectCursor4;
// The cursor column of a menu backdrop, redrawn every pass to erase the old cursor.
extern SDL_Rect src_my_surfCursor1;

// Keeps a cursor within 0..last; there is no wrap-around.
int clamp_cursor(int cursor, int last);
// Draws the cursor frame of `entry` (0..4) at its place, with the magenta key.
void draw_cursor(int entry);
// Redraws the cursor column from `backdrop`, then the cursor of `entry`.
void draw_cursor_column(SDL_Surface *backdrop, int entry);

// Runs a five-entry vertical menu over `backdrop` (already drawn) until LCTRL confirms an
// entry; UP and DOWN move `cursor` with BATIDA, LCTRL plays ACEITA. Returns the entry.
int run_vertical_menu(SDL_Surface *backdrop, int &cursor, ScreenId screen);
// Draws `backdrop` over the whole screen, presents it, then runs the vertical menu on it.
int open_vertical_menu(SDL_Surface *backdrop, int &cursor, ScreenId id);
