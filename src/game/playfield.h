// The still layers of the playfield and the HUD texts of a song: backdrop, scrolling
// neck, lane lines, fret row, score panel, rock bar, multiplier panel, numbers and timer.
#pragma once
#include <SDL.h>

extern SDL_Rect dst_rectalpha;   // backdrop (0, 0)
extern SDL_Rect dst_rectLinha;   // lane lines (80, 0)
extern SDL_Rect src_rectFrets;   // fret row in the fret sheet (0, 0, 200 x 33)
extern SDL_Rect dst_rectFrets;   // fret row (80, 215)
extern SDL_Rect dst_rectScore;   // score panel (0, 5)
extern SDL_Rect dst_rectRockBar; // rock-meter bar and its cover (298, 10)
extern SDL_Rect src_multiplicador1, src_multiplicador2, src_multiplicador3; // 77 x 19 each
extern SDL_Rect dst_multiplicador; // multiplier panel (0, 180)
extern SDL_Rect dst_rectPontos;    // score number (40, 11)
extern SDL_Rect dst_rectHits;      // streak number (40, 29)

// Sets the colour keys and the neck alpha of the playfield sheets and draws the layers
// once, with the rock meter's cover whole (the countdown's picture). Does not flip.
void carrega_img();

// The layers of every frame, in order: backdrop, neck, lane lines, fret row, score panel,
// the full rock-meter bar and the multiplier panel for the current streak.
void draw_playfield_layers();

// Score and streak formatted into texto and texto2 (before the streak bonus steps) ...
void format_hud_numbers();
// ... and drawn afterwards, so that a frame shows the streak from before its bonus step.
void draw_hud_numbers();

// "Timer: mm:ss" of a song clock reading, into `out`.
void format_song_timer(int clock_ms, char *out, size_t size);
// Formats msec into timer_msec and draws it at (0, 50).
void draw_song_timer();

// Scrolls the neck down one step: camera.y - 10, back to 540 at 0 or below.
void scroll_neck();
