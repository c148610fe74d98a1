// The fitting step's working state, shared by its grid stage (fit.cpp) and its
// spawn-time stage (spawn.cpp). Internal to the chart composer.
#pragma once

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fit.h"

struct Placed {
    int step;
    LaneSet lanes;
    bool pinned;
    std::vector<int> cand; // allowed spawn times, ascending
    int pref;              // the spawn time that sounds best
    int spawn;
};

class Fitter {
  public:
    Fitter(const Composition &music, const ChartTarget &target, FitReport &report)
        : st_(music.style()), t_(target), rep_(report), ev_(music.events()) {
        max_lane_ = t_.lanes[4].notes > 0 ? 5 : 4;
        for (int l = 1; l <= 5; l++)
            want_[l] = t_.lanes[l - 1].notes - (t_.doubled_lane == l ? 1 : 0);
    }

    bool run(std::vector<ChartNote> &rows);

  private:
    const SongStyle &st_;
    const ChartTarget &t_;
    FitReport &rep_;
    std::map<int, LaneSet> ev_;
    std::map<int, LaneSet> pinned_;
    std::map<int, int> pin_spawn_;
    std::set<std::pair<int, int>> forbidden_; // (step, lane)
    int max_lane_ = 4;
    int want_[6] = {};
    int first_step_[6] = {};
    int last_step_[6] = {};
    std::vector<Placed> placed_;
    std::map<int, int> override_; // step -> the one spawn time allowed (tuning the smallest gap)

    bool fail(const char *fmt, int a = 0, int b = 0, int c = 0) {
        char buf[256];
        std::snprintf(buf, sizeof buf, fmt, a, b, c);
        rep_.error = buf;
        return false;
    }

    int spb() const { return st_.steps_per_beat; }
    int bar_steps() const { return st_.steps_per_beat * st_.beats_per_bar; }
    int bar_of(int step) const {
        return step >= 0 ? step / bar_steps() : -1 - (-step - 1) / bar_steps();
    }

    int count(int lane) const {
        int n = 0;
        for (const auto &e : ev_)
            if (e.second & lane_bit(lane)) n++;
        return n;
    }
    int chord_count() const {
        int n = 0;
        for (const auto &e : ev_)
            if (lane_count(e.second) >= 2) n++;
        return n;
    }
    bool is_pinned(int step) const { return pinned_.count(step) != 0; }
    bool has(int step, int lane) const {
        auto it = ev_.find(step);
        return it != ev_.end() && (it->second & lane_bit(lane));
    }

    bool set_pins();
    bool locked(int lane, int step) const;
    bool in_span(int lane, int step) const {
        return step >= first_step_[lane] && step <= last_step_[lane];
    }
    bool allowed(int lane, int step, int min_steps) const;
    void normalize();
    bool fix_chords(bool &changed);
    // A stretch of a lane (grid steps, inclusive) that must hold `want` notes.
    struct Segment {
        int from, to, want;
    };
    std::vector<Segment> segments(int lane) const;
    int count_in(int lane, const Segment &seg) const;
    bool fix_counts(bool &changed);

    // Metrical weight of a grid step: downbeats strongest, then half bars, beats, off-beats.
    int weight(int step) const;
    int energy(int step) const;
    int echo(int lane, int step) const;
    bool in_tight_pair(int lane, int step) const;
    int bar_load(int step) const;
    int jitter(int step, int lane) const {
        uint32_t h =
            uint32_t(step) * 2654435761u ^ uint32_t(lane) * 40503u ^ uint32_t(t_.song + 7) * 97u;
        h ^= h >> 15;
        return int(h % 8u);
    }

    void candidates(Placed &p) const;
    bool place(int &bad_step, int &bad_lane);
    bool exact_min_gap();
    bool layout(std::vector<ChartNote> &rows);
};
