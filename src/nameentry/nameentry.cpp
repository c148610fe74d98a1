// Highscore name entry.
#include "nameentry/nameentry.h"

#include <cstring>

int hiscoreMENU, hiscore, letrasX, letrasY;
SDL_Rect dst_CursorLetras = {67, 127, 0, 0};
char ScoreLetraX[2] = "0", ScoreLetraY[2] = "0", ScoreLetraZ[2] = "0";
SDL_Surface *letraX, *letraY, *letraZ;

void reset_name_entry() {
    hiscoreMENU = letrasX = letrasY = hiscore = 0;
    std::strcpy(ScoreLetraX, "0");
    std::strcpy(ScoreLetraY, "0");
    std::strcpy(ScoreLetraZ, "0");
    letraX = letraY = letraZ = nullptr;
    dst_CursorLetras.x = 67;
    dst_CursorLetras.y = 127;
}

Next name_entry() { return TO_MENU_CYCLE_START; }
