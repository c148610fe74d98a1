// The composer: plays a song plan's riffs through its song's sections, then its placed notes.
#include <algorithm>
#include <cmath>

#include "plans.h"

namespace {

bool matches(const Variation &v, SectionKind kind, int occurrence) {
    return v.kind == kind && occurrence >= v.first && occurrence <= v.last;
}

// The loop of `base` with the variation's changes, thinning from the song's Rng.
Riff varied(const Riff &base, const Variation &v, Rng &rng, int steps_per_beat) {
    Riff r = v.loop ? riff(v.loop) : base;
    if (v.shift) r = shifted(r, v.shift, 4);
    if (v.mirror) r = mirrored(r, 4);
    if (v.accent_lanes) r = accented(r, v.accent_step, v.accent_lanes);
    if (v.thin_percent) r = thinned(r, rng, v.thin_percent, steps_per_beat);
    return r;
}

} // namespace

Composition compose(const SongStyle &st) {
    Composition c(st);
    const SongPlan *plan = song_plan(st.song);
    if (!plan) return c;
    Rng rng(plan->seed);
    int occurrences[6] = {};
    for (int i = 0; i < st.section_count; i++) {
        const SongSection &s = st.sections[i];
        const SectionRiff &part = plan->sections[s.kind];
        const int occurrence = occurrences[s.kind]++;
        // A section of energy 1 is drums or bass alone: nothing to play.
        if (!part.loop || s.energy <= 1) continue;
        const Riff loop = riff(part.loop);
        const Riff turn = part.turn ? riff(part.turn) : Riff();
        const Riff *ending = part.turn ? &turn : nullptr;
        const int from = s.start_bar, to = section_end_bar(st, i);
        const Variation *change = nullptr;
        for (const Variation &v : plan->variations)
            if (!change && matches(v, s.kind, occurrence)) change = &v;
        if (!change) {
            c.play_bars(loop, from, to, ending, part.phrase_bars);
            continue;
        }
        // The unchanged bars first, then the changed riff to the section's end.
        const int split = std::min(from + change->from_bar, to);
        c.play_bars(loop, from, split, ending, part.phrase_bars);
        c.play_bars(varied(loop, *change, rng, st.steps_per_beat), split, to, ending,
                    part.phrase_bars);
    }
    for (const BeatNotes &n : plan->placed) {
        const int step = int(std::lround(n.beat * st.steps_per_beat));
        if (n.riff)
            c.play(riff(n.riff), step);
        else
            c.add(step, n.lanes);
    }
    return c;
}
