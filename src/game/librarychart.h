// The chart player of library songs: their notes handed out to the lanes' slot pools as a
// ring, so that judgement and fall-off are the built-in songs' own, and a frame costs what
// the notes on screen cost, however long the chart.
#pragma once
#include "songs/songfolder.h"

#include <vector>

// Points for every frame a sustain is held, times the multiplier.
const int SUSTAIN_POINTS = 2;
// Width of a sustain's tail, drawn up from the note's middle: 10 pixels per 50 ms.
const int SUSTAIN_WIDTH = 5;

// The song clock at which a note heard at song clock `heard_ms` spawns: half a frame before
// the frame CHART_LEAD_MS ahead of it (the built-in charts' rule, songs/charts.h), so that
// its window is centred on that moment to within half a frame.
int library_spawn_ms(int heard_ms);

// Takes `notes` (by time) for the next song: spawn times worked out, every ring empty.
// The notes must stay in place while the song plays.
void library_chart_start(const std::vector<SongNote> &notes);
// One frame: notes whose spawn time (plus the sync delay) has come take the next slot of their
// lane, every note on screen is drawn and moved with its sustain, held sustains score, and notes
// whose fall-off and tail are past give their slot back.
void play_library_chart();
// Notes hit at least once so far, and the chart's notes.
int library_notes_hit();
int library_notes_total();
