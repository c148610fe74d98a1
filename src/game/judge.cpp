// Press judgements, fall-off checks and the two-lane adjustment.
#include "game/judge.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "game/feedback.h"
#include "game/lanes.h"
#include "game/notes.h"
#include "game/score.h"

SDL_Rect dst_fret1 = {LANE_X[0], 222, 0, 0};
SDL_Rect dst_fret2 = {LANE_X[1], 222, 0, 0};
SDL_Rect dst_fret3 = {LANE_X[2], 222, 0, 0};
SDL_Rect dst_fret4 = {LANE_X[3], 222, 0, 0};
SDL_Rect dst_fret5 = {LANE_X[4], 222, 0, 0};
SDL_Rect src_fret1 = {PRESSED_FRAME_X[0], 70, 31, 23};
SDL_Rect src_fret2 = {PRESSED_FRAME_X[1], 70, 33, 23};
SDL_Rect src_fret3 = {PRESSED_FRAME_X[2], 70, 35, 23};
SDL_Rect src_fret4 = {PRESSED_FRAME_X[3], 70, 35, 23};
SDL_Rect src_fret5 = {PRESSED_FRAME_X[4], 70, 163, 23};
int A, B, C, D, E;

const int lane_pairs[LANE_PAIR_COUNT][2] = {{1, 2}, {1, 4}, {1, 3}, {1, 5}, {2, 3},
                                            {2, 4}, {2, 5}, {4, 3}, {4, 5}, {3, 5}};

namespace {

bool same_place(const SDL_Rect &a, const SDL_Rect &b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

// Marks the note found and every note of the lane drawn exactly over it: to the player
// they are one note, and one press hits it.
void mark_hit(const Lane &lane, int found) {
    const SDL_Rect note = lane.slots[found];
    for (int i = 0; i < lane.count; ++i)
        if (same_place(lane.slots[i], note)) lane.marks[i] = true;
}

} // namespace

bool check_collision(SDL_Rect a, SDL_Rect b) {
    int left_a = a.x, right_a = a.x + a.w, top_a = a.y, bottom_a = a.y + a.h;
    int left_b = b.x, right_b = b.x + b.w, top_b = b.y, bottom_b = b.y + b.h;
    if (bottom_a <= top_b) return false;
    if (top_a >= bottom_b) return false;
    if (right_a <= left_b) return false;
    if (left_a >= right_b) return false;
    return true;
}

bool press_lane(int lane) {
    const Lane *l = lane_at(lane);
    if (!l) return false;
    for (int i = 0; i < l->count; ++i) {
        if (!check_collision(l->slots[i], *l->target)) continue;
        mark_hit(*l, i);
        *l->hit_flag = 1;
        hit_flame(lane);
        score_hit();
        return true;
    }
    score_miss();
    return false;
}

void fret1() { press_lane(1); }
void fret2() { press_lane(2); }
void fret3() { press_lane(3); }
void fret4() { press_lane(4); }
void fret5() { press_lane(5); }

void falloff_lane(int lane) {
    const Lane *l = lane_at(lane);
    if (!l) return;
    feedback_reset();
    if (*l->hit_flag != 0) return;
    // Several notes leaving together (a run of close notes) still count as one miss.
    for (int i = 0; i < l->count; ++i) {
        if (l->slots[i].y == NOTE_FALLOFF_Y && !l->marks[i]) {
            score_miss();
            return;
        }
    }
}

void fret1_A() { falloff_lane(1); }
void fret2_B() { falloff_lane(2); }
void fret3_C() { falloff_lane(3); }
void fret4_D() { falloff_lane(4); }
void fret5_E() { falloff_lane(5); }

void draw_pressed_fret(int lane) {
    const Lane *l = lane_at(lane);
    if (!l) return;
    key_magenta(my_surfFrets);
    blit(my_surfFrets, l->pressed_frame, screen, l->target);
}

void two_lane_adjust() {
    for (const int *pair : lane_pairs) {
        const Lane *first = lane_at(pair[0]), *second = lane_at(pair[1]);
        if (first && second && *first->pressed == 1 && *second->pressed == 1) score_two_lane();
    }
}
