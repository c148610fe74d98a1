// Note slots: the five fixed pools of falling-note rectangles and the chart player that
// draws and moves them once a frame.
#pragma once
#include "game/lane_layout.h"
#include "songs/charts.h"

#include <SDL.h>

// Slots per lane: the most notes a chart may place in lanes 1..5.
const int NOTA1_SLOTS = LANE_SLOTS[0], NOTA2_SLOTS = LANE_SLOTS[1], NOTA3_SLOTS = LANE_SLOTS[2],
          NOTA4_SLOTS = LANE_SLOTS[3], NOTA5_SLOTS = LANE_SLOTS[4];
// y at which a note has left the screen: the one frame it reaches it is its fall-off frame.
const int NOTE_FALLOFF_Y = 240;

// The slot pools. x is the lane's x, fixed; y is the top row of the note after this frame's
// move; w and h are the size its last draw left after clipping (0 before the first draw).
extern SDL_Rect dst_Nota1[NOTA1_SLOTS], dst_Nota2[NOTA2_SLOTS], dst_Nota3[NOTA3_SLOTS],
    dst_Nota4[NOTA4_SLOTS], dst_Nota5[NOTA5_SLOTS];
// Hit marks, one per slot: set by a press that hits the note, cleared by zerar_notas.
// A marked note that falls off is not counted as a miss.
extern bool hit_Nota1[NOTA1_SLOTS], hit_Nota2[NOTA2_SLOTS], hit_Nota3[NOTA3_SLOTS],
    hit_Nota4[NOTA4_SLOTS], hit_Nota5[NOTA5_SLOTS];
// Note frames of lanes 1..5 in the note sheet my_surfNotas (white colour key).
extern SDL_Rect src_Nota1, src_Nota2, src_Nota3, src_Nota4, src_Nota5;

// Park step, first thing of every frame: a note moved to 250 goes back to 240, so that a
// note stands at 240 after the move exactly once, in its fall-off frame.
void parar_notas();
// Every slot back to the top (y 0) and every hit mark cleared; x, w and h are kept.
// Called on every way out of a song.
void zerar_notas();

// One frame of a chart: every row whose spawn time, plus the sync delay, msec has reached
// is drawn at its slot and then moved down by BPS. Rows naming no lane or a slot outside
// its pool are skipped.
void play_chart(const Chart &chart);
// Rows of `chart` whose slot carries a hit mark: the chart's notes hit at least once, each
// counted once however often or in whatever chord it was pressed.
int notes_hit(const Chart &chart);

// The built-in songs' playback functions by name, each playing its chart for one frame;
// the song loop plays the chart its catalogue entry names.
void paranoid();
void highwaytohell();
void aceofspades();
void runtothehills();
void forwhomthebellstolls();
void tutorial();
