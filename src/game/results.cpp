// Song end and results.
#include "game/results.h"

int wins, loses;
