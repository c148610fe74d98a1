// The five lanes as one table, indexed 1..5: everything a lane has of its own, pointing at
// the named globals (dst_Nota1, dst_fret1, GP2X_Y, A, ...) that hold it.
#pragma once
#include "game/lane_layout.h"

#include <SDL.h>

struct Lane {
    int x;                   // screen x of the lane's notes, target and flame
    SDL_Rect *slots;         // slot pool, dst_NotaN
    bool *marks;             // hit mark of each slot, hit_NotaN
    int count;               // pool size
    SDL_Rect *note_frame;    // note frame in my_surfNotas, src_NotaN
    SDL_Rect *target;        // fret target on the hit line, dst_fretN
    SDL_Rect *pressed_frame; // pressed-fret frame in my_surfFrets, src_fretN
    SDL_Rect *flame;         // hit-flame spot, dst_hitflamesN
    int *pressed;            // lane flag while the lane is held, GP2X_Y .. GP2X_R
    int *hit_flag;           // set by a press that hits, A .. E
};

// Lanes 1..5 in order: lane_table[0] is lane 1.
extern const Lane lane_table[LANE_COUNT];

// Lane 1..5, or nullptr for any other number.
const Lane *lane_at(int lane);
