// The end of a song: the fail sequence, and the win sequence with its results screen.
#pragma once
#include "store/progress.h"

#include <SDL.h>

// The failure banner over the last frame, notes reset, music and effects paused, one
// loss counted; holds the picture for 3 s. The flow then goes to the menu cycle start.
void fail_sequence();

// The win banner, then the results screen: star rating, score, accuracy, longest streak
// and, every fifth win up to the twentieth, the guitar unlock line; one win counted
// unless it was the tutorial. The flow then goes to the name entry.
void win_sequence();

// Star rating overlays: the left part of star_line.png, 39 high, wider by the accuracy.
extern SDL_Rect src_star1, src_star2, src_star3, src_star4, src_star5, src_star6, src_star7,
    src_star8, src_star9, src_star10;
// Where the empty star row and its overlay are drawn on the results screen.
extern SDL_Rect dst_starNull;

// The overlay for an accuracy: src_star1 for 0..19, one band per ten points up to
// src_star9 for 90..99, src_star10 for exactly 100; nullptr outside 0..100.
SDL_Rect *star_overlay(int percent);
// The results screen's rating: the empty star row, then the overlay, at dst_starNull.
void draw_star_rating(int percent);
