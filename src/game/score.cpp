// Song counters.
#include "game/score.h"

int nSCORE, nHITS, tHITS, nHit, nSTREAK, Balanca;
int xNULL, xGOOD, xMISS;
int percent_score;
