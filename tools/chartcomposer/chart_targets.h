// What each generated chart must look like: notes and span per lane, chords, gaps,
// the rows whose values are fixed, and the slot layout of each lane.
#pragma once

#include <vector>

#include "phrase.h"

struct LaneTarget {
    int notes;    // rows of the lane
    int max_slot; // highest slot index used
    int first;    // earliest spawn (ms)
    int last;     // latest spawn (ms)
};

// Rows placed after the rest of their lane, out of time order. The block starts with
// the fixed spawn times and goes on with the lane's following notes in time order.
struct LateRows {
    int lane;
    int count;
    std::vector<int> fixed;
};

// A spawn time struck in exactly these lanes.
struct Pin {
    int spawn;
    LaneSet lanes;
};

// The note at `spawn` in `lane` must own slot `slot`: this many slots lie before it.
struct SlotAnchor {
    int lane;
    int spawn;
    int slot;
};

// From `from` to `to` (spawn ms, inclusive) the lane holds pinned notes only.
struct Lock {
    int lane;
    int from;
    int to;
};

// How spawn times relate to the beat grid.
enum SpawnRule {
    SPAWN_FREE,       // any ms inside the frame window of the note's beat-grid time
    SPAWN_FLOOR_62_5, // floor(k * 62.5) only
    SPAWN_ROUND_62_5, // k * 62.5 rounded half up
};

struct ChartTarget {
    const char *name; // the built-in song's chart name, from its song index
    int song;
    LaneTarget lanes[5];
    int chord_times;  // distinct spawn times struck in two or more lanes
    int triple_chord; // the one spawn time struck in three lanes, 0 for none
    int min_gap;      // smallest gap between two notes of one lane (ms), which must occur
    int end_margin;   // the last spawn lies at least this long before the song's end
    SpawnRule rule;
    int doubled_lane; // a lane holding two rows with one spawn time (0: none)
    int doubled_spawn;
    int min_steps_hard; // same-lane notes closer than this many grid steps never fit the gap
    int min_steps_add;  // same-lane distance that always fits; used when adding notes
    std::vector<int> skipped[5]; // slot indices left unused inside each lane's range
    std::vector<LateRows> late;
    std::vector<SlotAnchor> anchors;
    std::vector<Pin> pins;
    std::vector<Lock> locks;
    std::vector<int> opening[5];   // the first spawn times of a lane, word for word
    std::vector<Pin> first_events; // the chart's first spawn times and their lanes
    std::vector<Pin> last_events;  // the chart's last spawn times and their lanes
    int run_from, run_to;          // a stretch where every lane 1..5 plays (0: none)
};

// The six targets in song order: paranoid, highwaytohell, aceofspades,
// runtothehills, forwhomthebellstolls, tutorial.
const std::vector<ChartTarget> &chart_targets();

int lane_pool_size(int lane); // note slots in a lane's pool
