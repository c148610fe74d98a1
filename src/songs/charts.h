// The six note charts, compiled into the program as constant tables.
#pragma once

#include <cstdio>

// One chart row: a note of `lane` (1..5) that starts to fall when the song clock
// reaches `spawn` (ms) and owns note slot `slot` of its lane's pool for the whole song.
struct ChartNote {
    int lane;
    int spawn;
    int slot;
};

struct Chart {
    const ChartNote *notes; // rows in chart order: lane 1 first, each lane by rising slot
    int count;
};

extern const Chart chart_paranoid;
extern const Chart chart_highwaytohell;
extern const Chart chart_aceofspades;
extern const Chart chart_runtothehills;
extern const Chart chart_forwhomthebellstolls;
extern const Chart chart_tutorial;

// The chart of song index 0..4 or 99 (the tutorial); nullptr for any other index.
const Chart *chart_for_song(int song);

// Prints the chart of song index `song` as CSV lines "lane,spawn,slot" in chart order.
// Returns 0, or 2 for an unknown index (nothing printed).
int print_chart(int song, FILE *out);
