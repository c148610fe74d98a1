// Press judgements, fall-off checks and the two-lane adjustment.
#include "game/judge.h"

#include "engine/assets.h"
#include "engine/draw.h"
#include "game/input.h"
#include "game/feedback.h"
#include "game/notes.h"
#include "game/score.h"

SDL_Rect dst_fret1 = {80, 222, 0, 0};
SDL_Rect dst_fret2 = {110, 222, 0, 0};
SDL_Rect dst_fret3 = {145, 222, 0, 0};
SDL_Rect dst_fret4 = {177, 222, 0, 0};
SDL_Rect dst_fret5 = {210, 222, 0, 0};
SDL_Rect src_fret1 = {0, 70, 31, 23};
SDL_Rect src_fret2 = {31, 70, 33, 23};
SDL_Rect src_fret3 = {65, 70, 35, 23};
SDL_Rect src_fret4 = {97, 70, 35, 23};
SDL_Rect src_fret5 = {131, 70, 163, 23};
int A, B, C, D, E;

const int lane_pairs[LANE_PAIR_COUNT][2] = {{1, 2}, {1, 4}, {1, 3}, {1, 5}, {2, 3},
                                            {2, 4}, {2, 5}, {4, 3}, {4, 5}, {3, 5}};

namespace {

struct JudgeLane {
    SDL_Rect *target;
    SDL_Rect *pressed_frame;
    int *hit_flag;
};

const JudgeLane judge_lanes[LANE_COUNT] = {
    {&dst_fret1, &src_fret1, &A}, {&dst_fret2, &src_fret2, &B}, {&dst_fret3, &src_fret3, &C},
    {&dst_fret4, &src_fret4, &D}, {&dst_fret5, &src_fret5, &E},
};

bool same_place(const SDL_Rect &a, const SDL_Rect &b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

// Marks the note found and every note of the lane drawn exactly over it: to the player
// they are one note, and one press hits it.
void mark_hit(const NoteLane &notes, int found) {
    const SDL_Rect note = notes.slots[found];
    for (int i = 0; i < notes.count; ++i)
        if (same_place(notes.slots[i], note)) notes.marks[i] = true;
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
    const NoteLane *notes = note_lane(lane);
    if (!notes) return false;
    const JudgeLane &judge = judge_lanes[lane - 1];
    for (int i = 0; i < notes->count; ++i) {
        if (!check_collision(notes->slots[i], *judge.target)) continue;
        mark_hit(*notes, i);
        *judge.hit_flag = 1;
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
    const NoteLane *notes = note_lane(lane);
    if (!notes) return;
    feedback_reset();
    if (*judge_lanes[lane - 1].hit_flag != 0) return;
    // Several notes leaving together (a run of close notes) still count as one miss.
    for (int i = 0; i < notes->count; ++i) {
        if (notes->slots[i].y == NOTE_FALLOFF_Y && !notes->marks[i]) {
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
    if (lane < 1 || lane > LANE_COUNT) return;
    const JudgeLane &judge = judge_lanes[lane - 1];
    key_magenta(my_surfFrets);
    blit(my_surfFrets, judge.pressed_frame, screen, judge.target);
}

void two_lane_adjust() {
    for (const int *pair : lane_pairs) {
        int *first = lane_flag(pair[0]), *second = lane_flag(pair[1]);
        if (first && second && *first == 1 && *second == 1) score_two_lane();
    }
}
