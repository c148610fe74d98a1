// Highscore name entry: three characters picked on a letter grid after a won song.
#pragma once
#include "game/next.h"
#include "songs/catalogue.h"

#include <SDL.h>

extern int hiscoreMENU; // 1 once the entry has been written
extern int hiscore;     // name slot being entered: 0, 1 or 2
extern int letrasX;     // grid column under the cursor, 0..9
extern int letrasY;     // grid row under the cursor, 0..3
extern SDL_Rect dst_CursorLetras;
extern char ScoreLetraX[2], ScoreLetraY[2], ScoreLetraZ[2];
extern SDL_Surface *letraX, *letraY, *letraZ;

const int GRID_COLUMNS = 10;
const int GRID_ROWS = 4;
// The delete cell: last column of the last row.
const int DELETE_COLUMN = 9;
const int DELETE_ROW = 3;

// Puts the name entry back to its start state (done at every menu cycle start).
void reset_name_entry();

// The character of grid cell (column, row), or '\0' for the cells without one (row 3,
// columns 6 to 9) and for positions off the grid.
char grid_char(int column, int row);

// Preview: puts the character under the cursor into the current slot and renders that
// slot anew; a cell without a character leaves the slot as it is.
void preview_slot();
// Applies one key press to the cursor and the slots. Returns true when the key completed
// the name (the third confirm); the entry is then still to be written.
bool name_entry_key(SDLKey key);

// The screen: runs until the name is complete, appends it with nSCORE to the file of
// count_song and returns to the menu cycle start. A line that could not be written is
// announced with "SCORE NOT SAVED" for two seconds.
Next name_entry();
