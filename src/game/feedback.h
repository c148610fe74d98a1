// Hit flames: the flash above a lane's target when a press hits, shown at once.
#pragma once
#include <SDL.h>

// The one flame frame shown, in every flame sheet.
extern SDL_Rect src_hitflames11;
// Flame positions of lanes 1..5, 67 rows above the targets.
extern SDL_Rect dst_hitflames1, dst_hitflames2, dst_hitflames3, dst_hitflames4, dst_hitflames5;

// Set when a flame has been drawn and not yet presented: the song loop presents once after
// the press judgements of an event, so that the flames show within the frame of the press.
extern bool flame_unshown;

// The flame of lane 1..5 from the sheet chosen by flame_menu (0..3; any other value draws
// nothing); sets flame_unshown.
void hit_flame(int lane);
void keyhitflames1();
void keyhitflames2();
void keyhitflames3();
void keyhitflames4();
void keyhitflames5();
