// A chart's tempo map: ticks to milliseconds through its tempo changes.
#include "songs/tempomap.h"

#include <algorithm>

void finish_tempo_map(TempoMap &map) {
    std::vector<TempoChange> &t = map.tempos;
    std::stable_sort(t.begin(), t.end(),
                     [](const TempoChange &a, const TempoChange &b) { return a.tick < b.tick; });
    // Of several changes at one tick the last one given holds.
    std::vector<TempoChange> kept;
    for (const TempoChange &c : t) {
        if (!kept.empty() && kept.back().tick == c.tick)
            kept.back() = c;
        else
            kept.push_back(c);
    }
    if (kept.empty() || kept.front().tick != 0) kept.insert(kept.begin(), {0, bpm_to_us(120), 0});
    kept[0].start_us = 0;
    for (size_t i = 1; i < kept.size(); ++i)
        kept[i].start_us =
            kept[i - 1].start_us + static_cast<double>(kept[i].tick - kept[i - 1].tick) *
                                       kept[i - 1].us_per_quarter / map.resolution;
    t = std::move(kept);
    std::stable_sort(
        map.signatures.begin(), map.signatures.end(),
        [](const TimeSignature &a, const TimeSignature &b) { return a.tick < b.tick; });
}

double tick_ms(const TempoMap &map, uint64_t tick) {
    const std::vector<TempoChange> &t = map.tempos;
    auto after = std::upper_bound(t.begin(), t.end(), tick,
                                  [](uint64_t k, const TempoChange &c) { return k < c.tick; });
    if (after == t.begin()) return 0; // an unfinished map
    const TempoChange &c = *(after - 1);
    return (c.start_us + static_cast<double>(tick - c.tick) * c.us_per_quarter / map.resolution) /
           1000;
}
