// The lane table.
#include "game/lanes.h"

#include "game/feedback.h"
#include "game/input.h"
#include "game/judge.h"
#include "game/notes.h"

// constexpr: the table is filled before any start-up code of another file (the placing of
// the note slots) reads it.
constexpr Lane lane_table[LANE_COUNT] = {
    {LANE_X[0], dst_Nota1, hit_Nota1, NOTA1_SLOTS, &src_Nota1, &dst_fret1, &src_fret1,
     &dst_hitflames1, &GP2X_Y, &A},
    {LANE_X[1], dst_Nota2, hit_Nota2, NOTA2_SLOTS, &src_Nota2, &dst_fret2, &src_fret2,
     &dst_hitflames2, &GP2X_B, &B},
    {LANE_X[2], dst_Nota3, hit_Nota3, NOTA3_SLOTS, &src_Nota3, &dst_fret3, &src_fret3,
     &dst_hitflames3, &GP2X_A, &C},
    {LANE_X[3], dst_Nota4, hit_Nota4, NOTA4_SLOTS, &src_Nota4, &dst_fret4, &src_fret4,
     &dst_hitflames4, &GP2X_X, &D},
    {LANE_X[4], dst_Nota5, hit_Nota5, NOTA5_SLOTS, &src_Nota5, &dst_fret5, &src_fret5,
     &dst_hitflames5, &GP2X_R, &E},
};

const Lane *lane_at(int lane) {
    return lane >= 1 && lane <= LANE_COUNT ? &lane_table[lane - 1] : nullptr;
}
