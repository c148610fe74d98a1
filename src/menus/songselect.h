// Song selection: page through the catalogue's songs and start one.
#pragma once
#include "game/next.h"

#include <SDL.h>

extern SDL_Rect dst_capa;      // cover (178, 68)
extern SDL_Rect dst_song_txt1; // "Song" label (12, 10)
extern SDL_Rect dst_song_txt2; // title (12, 22)
extern SDL_Rect dst_song_txt3; // album line (12, 51)
extern SDL_Rect dst_song_txt4; // band line (12, 66)
// Text surfaces of the page: footer, label, title, album, band, wins, loses.
extern SDL_Surface *messageR, *messageS, *messageT, *messageU, *messageV, *messageX, *messageY;

// True while the library's page is shown: with song folders, a page after the last song
// (and before the first) that opens the library screen. The trace names it as cursor
// SONG_SELECT_LIBRARY_PAGE. Cleared at the main menu entry.
extern bool song_select_library;
const int SONG_SELECT_LIBRARY_PAGE = -1;

// The song index of the page one step left (-1) or right (+1) of `song`'s, wrapping around
// the songs that have pages (all but the tutorial and a library song); the first page for an
// index without one.
int step_song(int song, int step);

// One pass's picture of page `song`: the texts of the previous pass released, backdrop,
// cover, the song's texts, the footer and the win and loss counts. No flip.
void draw_song_page(int song);

// The library's page: its label, title and song count, footer and counters. No flip.
void draw_library_page();
// The footer of a page and the win and loss counts.
void draw_page_footer(const char *footer);

// One page left (-1) or right (+1): the songs in catalogue order, then the library's page
// when there are song folders, wrapping around.
void step_page(int step);

// Runs the screen: LEFT/RIGHT page, A starts the song shown (menu music released) or
// opens the library,
// B goes back to the play submenu.
Next song_selection();
