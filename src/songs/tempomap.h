// A chart's tempo map: ticks to milliseconds through its tempo changes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Tempos a chart may set, in beats per minute; any other value makes the chart unreadable.
const double TEMPO_MIN_BPM = 1;
const double TEMPO_MAX_BPM = 60000;
// Most tempo changes and time signatures a chart may hold.
const size_t TEMPO_CHANGES_MAX = 100000;

struct TempoChange {
    uint64_t tick;
    double us_per_quarter;
    double start_us; // time of `tick`, filled by finish_tempo_map
};

struct TimeSignature {
    uint64_t tick;
    int numerator;
    int denominator; // a power of two
};

struct TempoMap {
    uint32_t resolution = 192; // ticks per quarter note
    std::vector<TempoChange> tempos;
    std::vector<TimeSignature> signatures;
};

// A tempo in beats per minute as microseconds per quarter note.
inline double bpm_to_us(double bpm) { return 60e6 / bpm; }
inline bool tempo_in_range(double us_per_quarter) {
    return us_per_quarter >= bpm_to_us(TEMPO_MAX_BPM) && us_per_quarter <= bpm_to_us(TEMPO_MIN_BPM);
}

// Orders the changes by tick (of several at one tick the last given holds), adds 120 BPM
// at tick 0 when the chart sets no tempo there, and computes each change's time.
void finish_tempo_map(TempoMap &map);

// The time of `tick` in milliseconds from tick 0, on a finished map.
double tick_ms(const TempoMap &map, uint64_t tick);
