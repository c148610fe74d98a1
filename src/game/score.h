// The counters of one song and the rules that move them: points by streak, misses, the
// streak bonus steps, the rock meter and the accuracy.
#pragma once

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

// The rock meter's range: empty (failed) to full.
const int METER_MIN = -6, METER_MAX = 6;

// The multiplier a streak gives: 1 below 5, 2 for 5..9, 3 from 10 on (negative: 1).
int multiplier(int streak);

// A press that hit: points by the streak before the hit (10 x multiplier), the meter up by
// one, a hit counted; the streak grows, except on the sixth hit since the main menu entry.
// Also raises xGOOD.
void score_hit();
// One frame of a held sustain: `points` times the multiplier.
void score_sustain_frame(int points);
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

// Accuracy of song 0..4 or 99: 100 x the song's chart notes that carry a hit mark / its
// note count, rounded down (0..100). 0 for an unknown song or an empty chart.
int accuracy_percent(int song);
