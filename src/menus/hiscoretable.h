// Highscore table: the lines of each song's highscore file, page by page.
#pragma once
#include "app/flow.h"

extern int select_score; // page shown, 0..5; kept for the whole run

Next highscore_table();
