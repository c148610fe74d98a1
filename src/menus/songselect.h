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

// The song index of the page one step left (-1) or right (+1) of `song`'s, wrapping around
// the songs that have pages (all but the tutorial); the first page for an index without one.
int step_song(int song, int step);

// One pass's picture of page `song`: the texts of the previous pass released, backdrop,
// cover, the song's texts, the footer and the win and loss counts. No flip.
void draw_song_page(int song);

// Runs the screen: LEFT/RIGHT page, A starts the song shown (menu music released),
// B goes back to the play submenu.
Next song_selection();
