// One song from its loading screen to its end: the paced frame loop.
#pragma once
#include "game/next.h"
#include "songs/catalogue.h"

#include <SDL.h>

extern int msec;         // song clock: ms since the music started, frozen while paused
extern int start;        // clock value at which the song clock reads 0
extern int BPS;          // pixels a falling note moves per frame: 10 playing, 0 paused
extern SDL_Rect camera;  // source window into the neck image; only y scrolls
extern Uint32 cor_fundo; // fill colour of every frame

// Plays song count_song (0..4, 99). Returns where the flow goes next: the menu cycle
// start after a fail or leaving from pause, the name entry after a win.
Next play_song();
