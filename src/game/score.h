// The counters of one song and the rules that move them: points by streak, misses, the
// streak bonus steps, the rock meter with its cover, the judgement word, the accuracy and
// the star rating.
#pragma once
#include <SDL.h>

extern int nSCORE;  // points
extern int nHITS;   // current streak; selects points per hit and the multiplier
extern int tHITS;   // hits of this song, less the two-lane adjustment
extern int nHit;    // hits in this song, for the sixth-hit rule
extern int nSTREAK; // longest streak since the program started
extern int Balanca; // rock meter: -6 (failed) .. 6 (full)
// Feedback flags behind the judgement word: blank, "GOOD", "MISS".
extern int xNULL, xGOOD, xMISS;
// Accuracy in percent of the won song: its chart's notes that carry a hit mark, x 100 over
// the chart's note count (0..100).
extern int percent_score;

// Where the judgement word stands, under the score panel.
extern SDL_Rect dst_nota_status;
// Rock-meter covers for Balanca 6 down to 1 (A..F) and 0 down to -6 (1..7): the top of
// rock_bar.png, 11 wide, hiding more of the bar the emptier the meter.
extern SDL_Rect src_rectRockBarA, src_rectRockBarB, src_rectRockBarC, src_rectRockBarD,
    src_rectRockBarE, src_rectRockBarF;
extern SDL_Rect src_rectRockBar1, src_rectRockBar2, src_rectRockBar3, src_rectRockBar4,
    src_rectRockBar5, src_rectRockBar6, src_rectRockBar7;
// Star rating overlays: the left part of star_line.png, 39 high, wider by the accuracy.
extern SDL_Rect src_star1, src_star2, src_star3, src_star4, src_star5, src_star6, src_star7,
    src_star8, src_star9, src_star10;
// Where the empty star row and its overlay are drawn on the results screen.
extern SDL_Rect dst_starNull;

// The multiplier a streak gives: 1 below 5, 2 for 5..9, 3 from 10 on (negative: 1).
int multiplier(int streak);

// A press that hit: points by the streak before the hit (10 x multiplier), the meter up by
// one, a hit counted; the streak grows, except on the sixth hit since the main menu entry.
// Also raises xGOOD.
void score_hit();
// A press that found no note, or a note that fell off unhit: xMISS, the meter down by one,
// the streak broken.
void score_miss();
// Start of every fall-off check: the word goes blank unless a judgement sets a flag again.
void feedback_reset();
// One pair of lanes pressed together: the meter up by 2; the streak and the hit count
// down by 2 unless the streak is 0 (so a streak of 1 becomes -1).
void score_two_lane();

// Every frame after the HUD numbers are formatted: a streak of 5 steps to 6 and one of 10
// to 11, each with the ESTRELA_MAIS sound.
void streak_bonus();
// Every frame: the longest streak follows the streak upwards by at most one.
void longest_streak_update();
// Every frame before the fail test: Balanca into -6..6.
void clamp_meter();
// The fail test after the clamp: the meter has run empty.
bool meter_empty();

// Every frame: the word chosen by the feedback flags ("" < "GOOD" < "MISS", the later
// winning; no flag keeps the last word), drawn at dst_nota_status. "MISS" plays ERRO4.
void judgement_word();

// Cover for a meter value (clamped into -6..6).
const SDL_Rect *rock_meter_cover(int balanca);
// Draws the cover for Balanca over the full bar at dst_rectRockBar (298, 10).
void draw_rock_meter_cover();

// Accuracy of song 0..4 or 99: 100 x tHITS / the song's note count, into 0..100
// (repeated hits on one note can exceed the count). 0 for an unknown song.
int accuracy_percent(int song);
// The overlay for an accuracy: src_star1 for 0..19, one band per ten points up to
// src_star9 for 90..99, src_star10 for exactly 100; nullptr outside 0..100.
SDL_Rect *star_overlay(int percent);
// The results screen's rating: the empty star row, then the overlay, at dst_starNull.
void draw_star_rating(int percent);
