// Highscore name entry: three characters picked on a letter grid after a won song.
#pragma once
#include "app/flow.h"

#include <SDL.h>

extern int hiscoreMENU; // 1 once the entry has been written
extern int hiscore;     // name slot being entered: 0, 1 or 2
extern int letrasX;     // grid column under the cursor, 0..9
extern int letrasY;     // grid row under the cursor, 0..3
extern SDL_Rect dst_CursorLetras;
extern char ScoreLetraX[2], ScoreLetraY[2], ScoreLetraZ[2];
extern SDL_Surface *letraX, *letraY, *letraZ;

// Puts the name entry back to its start state (done at every menu cycle start).
void reset_name_entry();

Next name_entry();
