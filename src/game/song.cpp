// The song loop.
#include "game/song.h"

int msec;
int start;
int BPS = 10;
SDL_Rect camera = {-80, 540, 320, 540};
Uint32 cor_fundo;

Next play_song() { return TO_MENU_CYCLE_START; }
