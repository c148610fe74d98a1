// The fixed shape of the six charts: everything the game's data must reproduce exactly.
#include "chart_targets.h"

#include "game/lane_layout.h"

static const LaneSet L1 = 1, L2 = 2, L3 = 4, L4 = 8, L5 = 16;

int lane_pool_size(int lane) { return lane >= 1 && lane <= LANE_COUNT ? LANE_SLOTS[lane - 1] : 0; }

// `count` indices of first..last left unused, spread evenly, both ends included.
static std::vector<int> spread_skips(int first, int last, int count) {
    std::vector<int> out;
    int span = last - first + 1;
    // count and span are coprime here, so i * count mod span visits every residue once.
    for (int i = 0; i < span; i++)
        if ((i * count) % span < count) out.push_back(first + i);
    return out;
}

static ChartTarget paranoid() {
    ChartTarget t{};
    t.song = 0;
    t.lanes[0] = {95, 94, 2995, 166551};
    t.lanes[1] = {224, 224, 4492, 167101};
    t.lanes[2] = {74, 73, 4850, 167101};
    t.lanes[3] = {23, 22, 20249, 161601};
    t.lanes[4] = {0, -1, 0, 0};
    t.chord_times = 21;
    t.min_gap = 178;
    t.end_margin = 1800;
    t.rule = SPAWN_FREE;
    // Lane 2 strikes 138413 twice (slots 178 and 224); a lane-1 note makes it a chord.
    t.doubled_lane = 2;
    t.doubled_spawn = 138413;
    t.min_steps_hard = 1;
    t.min_steps_add = 1;
    t.skipped[1] = {202};
    t.anchors = {{2, 138413, 178}};
    t.pins = {{2995, L1},        {3556, L1},   {4118, L1},   {5922, L1},
              {6492, L1},        {4492, L2},   {4850, L3},   {20249, L4},
              {138413, L1 | L2}, {161601, L4}, {166551, L1}, {167101, L2 | L3}};
    t.locks = {{1, 2995, 6492}};
    t.opening[0] = {2995, 3556, 4118, 5922, 6492};
    return t;
}

static ChartTarget highwaytohell() {
    ChartTarget t{};
    t.song = 1;
    t.lanes[0] = {134, 133, 4953, 190096};
    t.lanes[1] = {191, 190, 4953, 190225};
    t.lanes[2] = {177, 176, 2791, 208821};
    t.lanes[3] = {111, 110, 2791, 208821};
    t.lanes[4] = {0, -1, 0, 0};
    t.chord_times = 234;
    t.min_gap = 171;
    t.end_margin = 1800;
    t.rule = SPAWN_FREE;
    t.min_steps_hard = 1;
    t.min_steps_add = 2;
    t.pins = {{2791, L3 | L4}, {4953, L1 | L2}, {190096, L1}, {190225, L2}, {208821, L3 | L4}};
    return t;
}

static ChartTarget aceofspades() {
    ChartTarget t{};
    t.song = 2;
    t.lanes[0] = {139, 148, 9783, 180574};
    t.lanes[1] = {124, 123, 11272, 178884};
    t.lanes[2] = {142, 141, 8055, 185023};
    t.lanes[3] = {73, 72, 10634, 177617};
    t.lanes[4] = {0, -1, 0, 0};
    t.chord_times = 67;
    t.min_gap = 105;
    t.end_margin = 1800;
    t.rule = SPAWN_FREE;
    t.min_steps_hard = 1;
    t.min_steps_add = 1;
    t.skipped[0] = {18, 21, 41, 44, 72, 73, 74, 75, 117, 120};
    t.late = {{2, 11, {29229}}};
    t.pins = {{8055, L3},   {9783, L1},   {10634, L4},  {11272, L2}, {29229, L2},
              {177617, L4}, {178884, L2}, {180574, L1}, {185023, L3}};
    return t;
}

static ChartTarget runtothehills() {
    ChartTarget t{};
    t.song = 3;
    t.lanes[0] = {48, 47, 17875, 220216};
    t.lanes[1] = {101, 108, 15845, 231717};
    t.lanes[2] = {131, 131, 12504, 231717};
    t.lanes[3] = {63, 121, 11834, 217540};
    t.lanes[4] = {0, -1, 0, 0};
    t.chord_times = 54;
    t.min_gap = 259;
    t.end_margin = 1800;
    t.rule = SPAWN_FREE;
    t.min_steps_hard = 3;
    t.min_steps_add = 4;
    t.skipped[1] = {2, 3, 7, 11, 12, 16, 17, 36};
    t.skipped[2] = {114};
    t.skipped[3] = spread_skips(15, 120, 59);
    t.late = {{2, 2, {220216, 221410}}, {3, 8, {81065}}};
    t.pins = {{11834, L4},  {12504, L3},       {15845, L2},  {17875, L1},      {81065, L3},
              {217540, L4}, {220216, L1 | L2}, {221410, L2}, {231717, L2 | L3}};
    return t;
}

static ChartTarget forwhomthebellstolls() {
    ChartTarget t{};
    t.song = 4;
    t.lanes[0] = {303, 302, 7312, 304187};
    t.lanes[1] = {260, 259, 7312, 304187};
    t.lanes[2] = {206, 205, 7812, 303500};
    t.lanes[3] = {90, 89, 8312, 303500};
    t.lanes[4] = {0, -1, 0, 0};
    t.chord_times = 224;
    t.triple_chord = 231250;
    t.min_gap = 187;
    t.end_margin = 1800;
    t.rule = SPAWN_FLOOR_62_5;
    t.min_steps_hard = 1;
    t.min_steps_add = 2;
    t.pins = {
        {7312, L1 | L2},   {7500, L1 | L2},  {7812, L2 | L3}, {8000, L2},  {8312, L4},
        {8812, L1},        {9062, L2},       {13000, L1},     {17062, L1}, {231250, L1 | L2 | L3},
        {303500, L3 | L4}, {304187, L1 | L2}};
    t.locks = {{1, 7312, 17062}, {2, 7312, 9062}};
    t.opening[0] = {7312, 7500, 8812, 13000, 17062};
    t.opening[1] = {7312, 7500, 7812, 8000, 9062};
    return t;
}

static ChartTarget tutorial() {
    ChartTarget t{};
    t.song = TUTORIAL_SONG;
    t.lanes[0] = {13, 12, 63500, 143375};
    t.lanes[1] = {13, 12, 82000, 113188};
    t.lanes[2] = {16, 15, 85000, 144125};
    t.lanes[3] = {11, 10, 82000, 113375};
    t.lanes[4] = {10, 9, 99000, 144125};
    t.chord_times = 4;
    t.min_gap = 125;
    t.end_margin = 1875;
    t.rule = SPAWN_ROUND_62_5;
    t.min_steps_hard = 2;
    t.min_steps_add = 2;
    t.pins = {{63500, L1},  {72000, L1},  {76000, L1},       {82000, L2 | L4}, {85000, L1 | L3},
              {99000, L5},  {111000, L5}, {111500, L5},      {111688, L5},     {112188, L5},
              {112438, L5}, {112750, L5}, {113063, L5},      {113188, L2},     {113313, L5},
              {113375, L4}, {113438, L3}, {143375, L1 | L3}, {144125, L3 | L5}};
    // The opening teaches one lane at a time: nothing else sounds until the 85000 chord.
    t.locks = {{1, 63500, 85000},
               {2, 63500, 85000},
               {3, 63500, 85000},
               {4, 63500, 85000},
               {5, 63500, 144125}};
    t.opening[4] = {99000, 111000, 111500, 111688, 112188, 112438, 112750, 113063, 113313, 144125};
    t.first_events = {{63500, L1}, {72000, L1}, {76000, L1}, {82000, L2 | L4}, {85000, L1 | L3}};
    t.last_events = {{143375, L1 | L3}, {144125, L3 | L5}};
    t.run_from = 111000;
    t.run_to = 113438;
    return t;
}

const std::vector<ChartTarget> &chart_targets() {
    static const std::vector<ChartTarget> targets = [] {
        std::vector<ChartTarget> all = {
            paranoid(),      highwaytohell(),        aceofspades(),
            runtothehills(), forwhomthebellstolls(), tutorial(),
        };
        for (ChartTarget &t : all)
            t.name = builtin_song(t.song) ? builtin_song(t.song)->name : "";
        return all;
    }();
    return targets;
}
