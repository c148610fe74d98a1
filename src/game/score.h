// The counters of one song: score, streak, hits, the rock meter and the judgement flags.
#pragma once

extern int nSCORE;  // points
extern int nHITS;   // current streak; selects points per hit and the multiplier
extern int tHITS;   // notes hit in this song: numerator of the accuracy
extern int nHit;    // hits in this song, for the sixth-hit rule
extern int nSTREAK; // longest streak since the program started
extern int Balanca; // rock meter: -6 (failed) .. 6 (full)
// Feedback flags behind the judgement word: blank, "GOOD", "MISS".
extern int xNULL, xGOOD, xMISS;
// Accuracy in percent of the won song.
extern int percent_score;
