// The unlock rule of the gallery's guitars: one guitar for every fifth win, up to four.
#pragma once

const int GUITAR_COUNT = 4;

// Wins that unlock guitar (gallery page) 0..3: 5, 10, 15, 20.
int gallery_unlock_wins(int page);

// True when a win count just reached one of the guitars' unlock thresholds; wins beyond
// the last guitar's announce nothing.
bool unlocks_guitar(int win_count);
