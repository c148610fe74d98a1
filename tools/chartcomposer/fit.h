// The fitting step: turns a composed song into chart rows with the exact target shape.
#pragma once

#include <string>
#include <vector>

#include "chart_targets.h"
#include "phrase.h"
#include "songs/charts.h"

struct FitReport {
    int composed[5] = {}; // notes per lane as the plan wrote them
    int added[5] = {};    // notes the fitting step added per lane
    int removed[5] = {};  // and removed
    int composed_chords = 0;
    int chords_made = 0;     // single notes given a second lane
    int chords_split = 0;    // chords reduced to one lane
    int dropped_for_gap = 0; // notes whose spawn window could not keep the lane gap
    std::string error;       // why fitting failed, empty on success
};

// Fits the composition to the target and lays out the rows in chart order (lane 1
// first, each lane by rising slot). Returns false with report.error set if it cannot.
bool fit_chart(const Composition &music, const ChartTarget &target, std::vector<ChartNote> &rows,
               FitReport &report);

// Grid step whose music time is nearest to `ms`.
int nearest_step(const SongStyle &style, double ms);
