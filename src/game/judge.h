// Hit detection: the press judgement and the fall-off check of each lane, the targets on
// the hit line and the adjustment for lanes pressed together.
#pragma once
#include <SDL.h>

// Targets on the hit line (y 222) at the lanes' x. They start 0 x 0 and get their size
// from each pressed-fret frame drawn on them (18 rows: the screen ends at 240).
extern SDL_Rect dst_fret1, dst_fret2, dst_fret3, dst_fret4, dst_fret5;
// Pressed-fret frames in my_surfFrets (magenta key).
extern SDL_Rect src_fret1, src_fret2, src_fret3, src_fret4, src_fret5;
// Lane hit flags of lanes 1..5: set by a press that hits, cleared by the song loop
// whenever it takes an event. While set, notes of the lane fall off without a miss.
extern int A, B, C, D, E;

// The lane pairs that the two-lane adjustment visits, in its order.
const int LANE_PAIR_COUNT = 10;
extern const int lane_pairs[LANE_PAIR_COUNT][2];

// True when the rectangles share at least one pixel; touching edges do not.
bool check_collision(SDL_Rect a, SDL_Rect b);

// Press judgement of lane 1..5, run for a held lane right after its pressed-fret frame was
// drawn: a hit if one of its notes overlaps its target, otherwise a miss. A hit marks the
// note found and any note drawn exactly on top of it. Returns true on a hit.
bool press_lane(int lane);
void fret1();
void fret2();
void fret3();
void fret4();
void fret5();

// Fall-off check of lane 1..5, every frame after the playback: resets the feedback flags,
// then counts one miss if an unhit note of the lane has just left the screen while the
// lane's hit flag is clear.
void falloff_lane(int lane);
void fret1_A();
void fret2_B();
void fret3_C();
void fret4_D();
void fret5_E();

// The pressed-fret frame of lane 1..5 at its target, which takes the drawn size. No flip.
void draw_pressed_fret(int lane);

// After the press judgements of a key press: every pair of held lanes fills the meter by 2
// and, while the streak is not 0, takes 2 from the streak and the hit count.
void two_lane_adjust();
