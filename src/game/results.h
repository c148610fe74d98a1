// The end of a song: the fail sequence, and the win sequence with its results screen.
#pragma once
#include "store/progress.h"

// The failure banner over the last frame, notes reset, music and effects paused, one
// loss counted; holds the picture for 3 s. The flow then goes to the menu cycle start.
void fail_sequence();

// The win banner, then the results screen: star rating, score, accuracy, longest streak
// and, every fifth win up to the twentieth, the guitar unlock line; one win counted
// unless it was the tutorial. The flow then goes to the name entry.
void win_sequence();

// True when a win count just reached one of the gallery's unlock thresholds.
bool unlocks_guitar(int win_count);
