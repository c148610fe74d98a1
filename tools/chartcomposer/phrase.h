// Riff notation, variations and the grid-event buffer that the song plans write into.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "../common/song_styles.h"

// A set of lanes as bits: bit 0 is lane 1.
using LaneSet = unsigned;

inline LaneSet lane_bit(int lane) { return 1u << (lane - 1); }
int lane_count(LaneSet lanes);
int lowest_lane(LaneSet lanes);  // 0 for the empty set
int highest_lane(LaneSet lanes); // 0 for the empty set

// One event of a riff or a song: the lanes struck together on one grid step.
struct Hit {
    int step;
    LaneSet lanes;
};

// A riff: hits at step offsets 0 .. length-1.
struct Riff {
    int length = 0;
    std::vector<Hit> hits;
};

// Parses riff text, one character a grid step: '.' rests, '1'..'5' strike one lane,
// letters strike two: a 1+2, b 2+3, c 3+4, d 1+3, e 2+4, f 1+4, g 4+5, h 3+5.
// Spaces and '|' are only there to show beats and bars to the reader.
Riff riff(const char *text);

// Variations. Each returns a new riff of the same length unless stated.
Riff shifted(const Riff &r, int delta, int max_lane); // every hit moved delta lanes, where it fits
Riff mirrored(const Riff &r, int max_lane);           // lane l becomes max_lane + 1 - l
Riff joined(const Riff &a, const Riff &b);            // b after a; length a + b
Riff with_ending(const Riff &r, const Riff &ending);  // the last ending.length steps replaced
Riff accented(const Riff &r, int step,
              LaneSet extra);               // lanes added to the hit at step (or a new hit)
Riff without_lane(const Riff &r, int lane); // that lane removed from every hit

// Small deterministic generator: every chart is the same on every run.
class Rng {
  public:
    explicit Rng(uint32_t seed) : state_(seed ? seed : 1u) {}
    uint32_t next();
    int below(int n);         // 0 .. n-1
    bool chance(int percent); // true with the given probability
  private:
    uint32_t state_;
};

// Drops single-lane hits with the given chance, never the first hit nor hits on a beat.
Riff thinned(const Riff &r, Rng &rng, int drop_percent, int steps_per_beat);

// The notes of one song as grid events: step -> lanes. Step 0 is the first downbeat.
class Composition {
  public:
    explicit Composition(const SongStyle &style) : style_(&style) {}

    const SongStyle &style() const { return *style_; }
    int steps_per_bar() const { return style_->steps_per_beat * style_->beats_per_bar; }
    int bar_step(int bar) const { return bar * steps_per_bar(); }

    void add(int step, LaneSet lanes);
    void remove(int step, LaneSet lanes);
    void play(const Riff &r, int step);

    // Plays `loop` from first_bar up to end_bar; the last bars of every phrase of
    // phrase_bars bars (and of the whole stretch) end with `turn` instead.
    void play_bars(const Riff &loop, int first_bar, int end_bar, const Riff *turn, int phrase_bars);

    const std::map<int, LaneSet> &events() const { return events_; }
    std::map<int, LaneSet> &events() { return events_; }

  private:
    const SongStyle *style_;
    std::map<int, LaneSet> events_;
};

// Bar at which section i ends (the next section's start, or the bar holding the song's end).
int section_end_bar(const SongStyle &style, int i);
