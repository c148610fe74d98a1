// What a song frame draws of the score's state: the judgement word and the rock meter's cover.
#pragma once
#include <SDL.h>

// Where the judgement word stands, under the score panel.
extern SDL_Rect dst_nota_status;
// Rock-meter covers for Balanca 6 down to 1 (A..F) and 0 down to -6 (1..7): the top of
// rock_bar.png, 11 wide, hiding more of the bar the emptier the meter.
extern SDL_Rect src_rectRockBarA, src_rectRockBarB, src_rectRockBarC, src_rectRockBarD,
    src_rectRockBarE, src_rectRockBarF;
extern SDL_Rect src_rectRockBar1, src_rectRockBar2, src_rectRockBar3, src_rectRockBar4,
    src_rectRockBar5, src_rectRockBar6, src_rectRockBar7;

// Every frame: the word chosen by the feedback flags ("" < "GOOD" < "MISS", the later
// winning; no flag keeps the last word), drawn at dst_nota_status. "MISS" plays ERRO4.
void judgement_word();

// Cover for a meter value (clamped into -6..6).
const SDL_Rect *rock_meter_cover(int balanca);
// Draws the cover for Balanca over the full bar at dst_rectRockBar (298, 10).
void draw_rock_meter_cover();
