// Tutorial plan (120 BPM, composed in 32nds): single teaching notes one lane at a time,
// the first two chords, lane 5 on its own, one fast run down and up all five lanes,
// then a calm close on lanes 1 and 3 that ends on two chords.
#include <cmath>

#include "plans.h"

Composition compose_tutorial(const SongStyle &style) {
    Composition c(style);
    const LaneSet L1 = lane_bit(1), L2 = lane_bit(2), L3 = lane_bit(3), L4 = lane_bit(4),
                  L5 = lane_bit(5);
    // Notes are placed by beat; a note spawned at t ms is heard on beat (t + 1000) / 500.
    auto note = [&](double beat, LaneSet lanes) {
        c.add(int(std::lround(beat * style.steps_per_beat)), lanes);
    };

    // Lane 1 alone, far apart, then the first two chords.
    for (double beat : {129.0, 146.0, 154.0})
        note(beat, L1);
    note(166, L2 | L4);
    note(172, L1 | L3);

    // Call and answer between lanes 2 and 4, lanes 1 and 3 answering now and then.
    const struct {
        double beat;
        LaneSet lanes;
    } lesson[] = {
        {176, L2},
        {178, L4},
        {180, L2},
        {182, L4},
        {184, L1},
        {186, L3},
        {188, L2},
        {190, L4},
        {194, L2},
        // Lane 5 is shown alone after a rest.
        {200, L5},
        // The pace doubles; lane 3 gets a double tap a sixteenth apart.
        {202, L2},
        {204, L4},
        {206, L3},
        {206.25, L3},
        {208, L2},
        {210, L4},
        {212, L1},
        {214, L2},
        {216, L4},
        {218, L3},
        {220, L2},
    };
    for (const auto &n : lesson)
        note(n.beat, n.lanes);

    // The run: 32nds from beat 224, sweeping down from lane 5 and climbing back.
    c.play(riff("5.4.3.2. 5.15.4.3 .2.5.4.5 .2.15.3. .5.2.543"), 224 * style.steps_per_beat);

    // Cool-down on lanes 3 and 1, then the closing chords on the last sixteenths.
    for (double beat : {238.0, 250.0, 262.0, 274.0, 284.0})
        note(beat, L3);
    for (double beat : {244.0, 256.0, 268.0, 280.0})
        note(beat, L1);
    note(288.75, L1 | L3);
    note(290.25, L3 | L5);
    return c;
}
