// The fitting step: exact note counts, spans, chords and gaps from a composed song.
//
// The song plans write music on the beat grid; this step makes the result meet the
// chart's fixed shape without disturbing the music more than it must. It works in
// two stages. On the grid it sets the pinned rows, cuts every lane to its span,
// then splits or makes chords and removes or adds single notes, always choosing the
// metrically weakest notes to remove and the strongest free steps (echoing the same
// lane a bar away) to fill. Then it gives every grid event a spawn time inside the
// 50 ms frame window that makes the note heard on its grid step, keeping the lane
// gap, and finally tunes one pair of notes to the exact smallest gap.
#include "fit.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

int nearest_step(const SongStyle &style, double ms) {
    double step_ms = beat_ms(style) / style.steps_per_beat;
    int guess = int(std::lround((ms - style.grid_origin_ms) / step_ms));
    int best = guess;
    double best_err = 1e18;
    for (int n = guess - 2; n <= guess + 2; n++) {
        double err = std::fabs(step_time_ms(style, n) - ms);
        if (err < best_err) {
            best_err = err;
            best = n;
        }
    }
    return best;
}

namespace {

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

bool Fitter::set_pins() {
    for (const Pin &p : t_.pins) {
        int step = nearest_step(st_, heard_time_ms(p.spawn));
        if (pinned_.count(step))
            return fail("pinned spawns %d and %d fall on one grid step", pin_spawn_[step], p.spawn);
        pinned_[step] = p.lanes;
        pin_spawn_[step] = p.spawn;
    }
    for (int l = 1; l <= 5; l++) {
        first_step_[l] = INT_MAX;
        last_step_[l] = INT_MIN;
        if (want_[l] <= 0) continue;
        for (const auto &p : pin_spawn_) {
            if (!(pinned_[p.first] & lane_bit(l))) continue;
            if (p.second == t_.lanes[l - 1].first) first_step_[l] = p.first;
            if (p.second == t_.lanes[l - 1].last) last_step_[l] = p.first;
        }
        if (first_step_[l] == INT_MAX || last_step_[l] == INT_MIN)
            return fail("lane %d needs pins at its first and last spawn", l);
    }
    return true;
}

bool Fitter::locked(int lane, int step) const {
    for (const Lock &k : t_.locks) {
        if (k.lane != lane) continue;
        int from = nearest_step(st_, heard_time_ms(k.from));
        int to = nearest_step(st_, heard_time_ms(k.to));
        if (step >= from && step <= to) return true;
    }
    return false;
}

bool Fitter::allowed(int lane, int step, int min_steps) const {
    if (lane < 1 || lane > max_lane_ || !in_span(lane, step) || is_pinned(step)) return false;
    if (locked(lane, step) || forbidden_.count({step, lane})) return false;
    for (auto it = ev_.lower_bound(step - min_steps + 1);
         it != ev_.end() && it->first < step + min_steps; ++it)
        if (it->first != step && (it->second & lane_bit(lane))) return false;
    return true;
}

int Fitter::weight(int step) const {
    int bs = bar_steps();
    int pos = ((step % bs) + bs) % bs;
    if (pos == 0) return 8;
    if (pos * 2 == bs) return 6;
    if (pos % spb() == 0) return 4;
    int in_beat = pos % spb();
    if (spb() == 3)
        return in_beat == 2 ? 2 : 0; // shuffle: the swung off-beat, then the middle triplet
    if (in_beat * 2 == spb()) return 2;
    if (spb() >= 4 && in_beat % (spb() / 4) == 0) return 1;
    return 0;
}

int Fitter::energy(int step) const {
    int bar = bar_of(step);
    int e = 1;
    for (int i = 0; i < st_.section_count; i++)
        if (st_.sections[i].start_bar <= bar) e = st_.sections[i].energy;
    return e;
}

int Fitter::echo(int lane, int step) const {
    int n = 0;
    for (int k : {-2, -1, 1, 2})
        if (has(step + k * bar_steps(), lane)) n++;
    return n;
}

// Whether a same-lane neighbour is close enough that the pair could be tuned to the
// smallest gap; such notes are the last to be removed so that the gap can occur.
bool Fitter::in_tight_pair(int lane, int step) const {
    double step_ms = beat_ms(st_) / st_.steps_per_beat;
    int reach = int((t_.min_gap + 100) / step_ms);
    for (int d = 1; d <= reach; d++)
        if (has(step - d, lane) || has(step + d, lane)) return true;
    return false;
}

int Fitter::bar_load(int step) const {
    int first = bar_of(step) * bar_steps();
    int n = 0;
    for (auto it = ev_.lower_bound(first); it != ev_.end() && it->first < first + bar_steps(); ++it)
        n += lane_count(it->second);
    return n;
}

void Fitter::normalize() {
    for (const auto &p : pinned_)
        ev_[p.first] = p.second;
    int over[6] = {};
    for (int l = 1; l <= 5; l++)
        over[l] = count(l) - want_[l];
    for (auto it = ev_.begin(); it != ev_.end();) {
        if (is_pinned(it->first)) {
            ++it;
            continue;
        }
        LaneSet keep = 0;
        for (int l = 1; l <= 5; l++)
            if ((it->second & lane_bit(l)) && l <= max_lane_ && in_span(l, it->first) &&
                !locked(l, it->first) && !forbidden_.count({it->first, l}))
                keep |= lane_bit(l);
        // Three-lane chords belong to pinned rows only: drop the most crowded lanes.
        while (lane_count(keep) > 2) {
            int drop = 0;
            for (int l = 1; l <= 5; l++)
                if ((keep & lane_bit(l)) && (!drop || over[l] >= over[drop])) drop = l;
            keep &= ~lane_bit(drop);
        }
        if (keep) {
            it->second = keep;
            ++it;
        } else {
            it = ev_.erase(it);
        }
    }
    // Same-lane notes too close for any spawn time: keep the pinned or the earlier one.
    for (int l = 1; l <= 5; l++) {
        int prev = INT_MIN / 2;
        for (auto it = ev_.begin(); it != ev_.end(); ++it) {
            if (!(it->second & lane_bit(l))) continue;
            if (it->first - prev < t_.min_steps_hard) {
                if (!is_pinned(it->first)) {
                    it->second &= ~lane_bit(l);
                    continue;
                }
                if (!is_pinned(prev)) ev_[prev] &= ~lane_bit(l);
            }
            prev = it->first;
        }
    }
    for (auto it = ev_.begin(); it != ev_.end();)
        it = it->second ? std::next(it) : ev_.erase(it);
}

bool Fitter::fix_chords(bool &changed) {
    int chords = chord_count();
    while (chords > t_.chord_times) {
        int best = INT_MAX, best_step = 0;
        bool found = false;
        for (const auto &e : ev_) {
            if (lane_count(e.second) < 2 || is_pinned(e.first)) continue;
            int key = weight(e.first) * 10 + energy(e.first) * 6 + jitter(e.first, 0);
            if (key < best) {
                best = key;
                best_step = e.first;
                found = true;
            }
        }
        if (!found) return fail("too many pinned chords");
        int drop = 0, most = INT_MIN;
        for (int l = 1; l <= 5; l++)
            if ((ev_[best_step] & lane_bit(l)) && count(l) - want_[l] >= most) {
                most = count(l) - want_[l];
                drop = l;
            }
        ev_[best_step] &= ~lane_bit(drop);
        if (lane_count(ev_[best_step]) >= 2) continue; // was a three-lane chord; still a chord
        chords--;
        rep_.chords_split++;
        changed = true;
    }
    while (chords < t_.chord_times) {
        int best = INT_MIN, best_step = 0, best_lane = 0;
        for (const auto &e : ev_) {
            if (lane_count(e.second) != 1 || is_pinned(e.first)) continue;
            int base = lowest_lane(e.second);
            for (int l = 1; l <= max_lane_; l++) {
                if (l == base || !allowed(l, e.first, t_.min_steps_add)) continue;
                int d = std::abs(l - base);
                int key = weight(e.first) * 10 + energy(e.first) * 6 + (want_[l] - count(l)) * 3 +
                          (d == 1   ? 10
                           : d == 2 ? 4
                                    : 0) +
                          jitter(e.first, l);
                if (key > best) {
                    best = key;
                    best_step = e.first;
                    best_lane = l;
                }
            }
        }
        if (!best_lane)
            return fail("no single note can take a second lane (%d chords of %d)", chords,
                        t_.chord_times);
        ev_[best_step] |= lane_bit(best_lane);
        chords++;
        rep_.chords_made++;
        changed = true;
    }
    return true;
}

std::vector<Fitter::Segment> Fitter::segments(int lane) const {
    std::vector<Segment> out;
    int from = first_step_[lane], before = 0;
    for (const SlotAnchor &a : t_.anchors) {
        if (a.lane != lane) continue;
        const std::vector<int> &skip = t_.skipped[lane - 1];
        int index = a.slot -
                    int(std::count_if(skip.begin(), skip.end(), [&](int s) { return s < a.slot; }));
        int step = nearest_step(st_, heard_time_ms(a.spawn));
        out.push_back({from, step - 1, index - before});
        before = index;
        from = step;
    }
    out.push_back({from, last_step_[lane], want_[lane] - before});
    return out;
}

int Fitter::count_in(int lane, const Segment &seg) const {
    int n = 0;
    for (auto it = ev_.lower_bound(seg.from); it != ev_.end() && it->first <= seg.to; ++it)
        if (it->second & lane_bit(lane)) n++;
    return n;
}

bool Fitter::fix_counts(bool &changed) {
    for (int l = 1; l <= max_lane_; l++) {
        for (const Segment &seg : segments(l)) {
            while (count_in(l, seg) > seg.want) {
                int best = INT_MAX, best_step = 0;
                bool found = false;
                for (int pass = 0; pass < 2 && !found; pass++) {
                    // Single notes first; a chord loses a lane only when no single note is left.
                    for (auto it = ev_.lower_bound(seg.from);
                         it != ev_.end() && it->first <= seg.to; ++it) {
                        int s = it->first;
                        if (!(it->second & lane_bit(l)) || is_pinned(s) ||
                            (pass == 0) != (it->second == lane_bit(l)))
                            continue;
                        int key = weight(s) * 10 + energy(s) * 8 + echo(l, s) * 6 -
                                  bar_load(s) * 3 + jitter(s, l) + (in_tight_pair(l, s) ? 60 : 0);
                        if (key < best) {
                            best = key;
                            best_step = s;
                            found = true;
                        }
                    }
                }
                if (!found) return fail("lane %d: every note is pinned, cannot remove", l);
                ev_[best_step] &= ~lane_bit(l);
                if (!ev_[best_step]) ev_.erase(best_step);
                rep_.removed[l - 1]++;
                changed = true;
            }
            while (count_in(l, seg) < seg.want) {
                int best = INT_MIN, best_step = 0;
                bool found = false;
                for (int pass = 0; pass < 2 && !found; pass++) {
                    // Free steps first; an existing single note gains a lane only as a last resort.
                    for (int s = seg.from; s <= seg.to; s++) {
                        auto it = ev_.find(s);
                        bool empty = it == ev_.end();
                        if (pass == 0 ? !empty : (empty || lane_count(it->second) != 1)) continue;
                        if (!allowed(l, s, t_.min_steps_add)) continue;
                        int crowd = int(ev_.count(s - 1)) + int(ev_.count(s + 1));
                        int key = weight(s) * 10 + energy(s) * 8 + echo(l, s) * 12 - crowd * 6 -
                                  bar_load(s) * 3 + jitter(s, l);
                        if (key > best) {
                            best = key;
                            best_step = s;
                            found = true;
                        }
                    }
                }
                if (!found) return fail("lane %d: no free step for another note", l);
                ev_[best_step] |= lane_bit(l);
                rep_.added[l - 1]++;
                changed = true;
            }
        }
    }
    return true;
}

void Fitter::candidates(Placed &p) const {
    p.cand.clear();
    auto pin = pin_spawn_.find(p.step);
    auto fixed = override_.find(p.step);
    if (pin != pin_spawn_.end() || fixed != override_.end()) {
        p.pref = pin != pin_spawn_.end() ? pin->second : fixed->second;
        p.cand.push_back(p.pref);
        return;
    }
    double g = step_time_ms(st_, p.step);
    if (t_.rule == SPAWN_FREE) {
        // Every spawn in this window is heard in the frame nearest to the grid time.
        int frame_ms = int(std::lround(g / 50.0)) * 50;
        int lo = frame_ms - kChartLeadMs - 49, hi = frame_ms - kChartLeadMs;
        for (int s = lo; s <= hi; s++)
            p.cand.push_back(s);
        p.pref = std::min(hi, std::max(lo, int(std::lround(g - kChartLeadMs - 25))));
        return;
    }
    // On the 62.5 ms grid: the grid times whose heard frame lies nearest the beat.
    int k0 = int(std::floor((g - kChartLeadMs) / 62.5));
    double best_err = 1e9;
    std::vector<std::pair<double, int>> options;
    for (int k = k0 - 3; k <= k0 + 3; k++) {
        if (k < 0) continue;
        int s = t_.rule == SPAWN_FLOOR_62_5 ? (125 * k) / 2 : (125 * k + 1) / 2;
        double err = std::fabs(heard_time_ms(s) - g);
        options.push_back({err, s});
        best_err = std::min(best_err, err);
    }
    std::sort(options.begin(), options.end());
    for (const auto &o : options)
        if (o.first <= 25.01 && (t_.rule == SPAWN_FLOOR_62_5 || o.first == best_err))
            p.cand.push_back(o.second);
    if (p.cand.empty() && !options.empty()) p.cand.push_back(options[0].second);
    p.pref = p.cand.empty() ? 0 : p.cand[0];
    std::sort(p.cand.begin(), p.cand.end());
}

bool Fitter::place(int &bad_step, int &bad_lane) {
    placed_.clear();
    for (const auto &e : ev_) {
        Placed p{e.first, e.second, is_pinned(e.first), {}, 0, 0};
        candidates(p);
        placed_.push_back(p);
    }
    int n = int(placed_.size());
    int g = t_.min_gap;
    std::vector<int> prev(size_t(n) * 6, -1), next(size_t(n) * 6, -1);
    int last[6] = {-1, -1, -1, -1, -1, -1};
    for (int i = 0; i < n; i++)
        for (int l = 1; l <= 5; l++)
            if (placed_[size_t(i)].lanes & lane_bit(l)) {
                prev[size_t(i) * 6 + size_t(l)] = last[l];
                if (last[l] >= 0) next[size_t(last[l]) * 6 + size_t(l)] = i;
                last[l] = i;
            }
    auto conflict = [&](int a, int b, int lane) {
        // Give up the later note unless it is pinned.
        const Placed &pb = placed_[size_t(b)];
        const Placed &pa = placed_[size_t(a)];
        bad_lane = lane;
        bad_step = !pb.pinned ? pb.step : !pa.pinned ? pa.step : INT_MIN;
        return false;
    };
    std::vector<int> early(placed_.size()), late(placed_.size());
    for (int i = 0; i < n; i++) {
        const Placed &p = placed_[size_t(i)];
        int lower = INT_MIN, bind = 0;
        for (int l = 1; l <= 5; l++) {
            int j = prev[size_t(i) * 6 + size_t(l)];
            if (j >= 0 && early[size_t(j)] + g > lower) {
                lower = early[size_t(j)] + g;
                bind = l;
            }
        }
        auto it = std::lower_bound(p.cand.begin(), p.cand.end(), lower);
        if (it == p.cand.end()) return conflict(prev[size_t(i) * 6 + size_t(bind)], i, bind);
        early[size_t(i)] = *it;
    }
    for (int i = n - 1; i >= 0; i--) {
        const Placed &p = placed_[size_t(i)];
        int upper = INT_MAX, bind = 0;
        for (int l = 1; l <= 5; l++) {
            int j = next[size_t(i) * 6 + size_t(l)];
            if (j >= 0 && late[size_t(j)] - g < upper) {
                upper = late[size_t(j)] - g;
                bind = l;
            }
        }
        auto it = std::upper_bound(p.cand.begin(), p.cand.end(), upper);
        if (it == p.cand.begin()) return conflict(i, next[size_t(i) * 6 + size_t(bind)], bind);
        late[size_t(i)] = *(it - 1);
        if (late[size_t(i)] >= early[size_t(i)]) continue;
        // No spawn fits between the earliest and the latest: find the pair that squeezes it.
        for (int l = 1; l <= 5; l++) {
            int j = next[size_t(i) * 6 + size_t(l)];
            if (j >= 0 && early[size_t(i)] + g > late[size_t(j)]) return conflict(i, j, l);
            j = prev[size_t(i) * 6 + size_t(l)];
            if (j >= 0 && early[size_t(j)] + g > late[size_t(i)]) return conflict(j, i, l);
        }
        return conflict(i, i, lowest_lane(p.lanes));
    }
    std::set<int> used;
    for (int i = 0; i < n; i++) {
        Placed &p = placed_[size_t(i)];
        int lo = early[size_t(i)];
        for (int l = 1; l <= 5; l++) {
            int j = prev[size_t(i) * 6 + size_t(l)];
            if (j >= 0) lo = std::max(lo, placed_[size_t(j)].spawn + g);
        }
        int best = INT_MIN;
        for (int s : p.cand)
            if (s >= lo && s <= late[size_t(i)] && !used.count(s) &&
                (best == INT_MIN || std::abs(s - p.pref) < std::abs(best - p.pref)))
                best = s;
        if (best == INT_MIN) {
            bad_lane = lowest_lane(p.lanes);
            bad_step = p.pinned ? INT_MIN : p.step;
            return false;
        }
        p.spawn = best;
        used.insert(best);
    }
    return true;
}

bool Fitter::exact_min_gap() {
    int g = t_.min_gap;
    int n = int(placed_.size());
    std::set<int> used;
    for (const Placed &p : placed_)
        used.insert(p.spawn);
    // Pairs of consecutive same-lane notes, closest to the wanted gap first.
    struct Pair {
        int extra, a, b, lane;
    };
    std::vector<Pair> pairs;
    int last[6] = {-1, -1, -1, -1, -1, -1};
    for (int i = 0; i < n; i++)
        for (int l = 1; l <= 5; l++)
            if (placed_[size_t(i)].lanes & lane_bit(l)) {
                if (last[l] >= 0) {
                    int d = placed_[size_t(i)].spawn - placed_[size_t(last[l])].spawn;
                    if (d == g) return true;
                    pairs.push_back({d - g, last[l], i, l});
                }
                last[l] = i;
            }
    std::sort(pairs.begin(), pairs.end(), [](const Pair &x, const Pair &y) {
        return x.extra != y.extra ? x.extra < y.extra : x.a < y.a;
    });
    auto gap_ok = [&](int i, int s) {
        // Would event i at spawn s keep the gap to its neighbours in all of its lanes?
        const Placed &p = placed_[size_t(i)];
        for (int l = 1; l <= 5; l++) {
            if (!(p.lanes & lane_bit(l))) continue;
            for (int j = i - 1; j >= 0; j--)
                if (placed_[size_t(j)].lanes & lane_bit(l)) {
                    if (s - placed_[size_t(j)].spawn < g) return false;
                    break;
                }
            for (int j = i + 1; j < n; j++)
                if (placed_[size_t(j)].lanes & lane_bit(l)) {
                    if (placed_[size_t(j)].spawn - s < g) return false;
                    break;
                }
        }
        return true;
    };
    auto can_take = [&](int i, int s) {
        const Placed &p = placed_[size_t(i)];
        return std::binary_search(p.cand.begin(), p.cand.end(), s) && !used.count(s) &&
               gap_ok(i, s);
    };
    for (const Pair &q : pairs) {
        int sa = placed_[size_t(q.a)].spawn, sb = placed_[size_t(q.b)].spawn;
        if (can_take(q.b, sa + g)) {
            placed_[size_t(q.b)].spawn = sa + g;
            return true;
        }
        if (can_take(q.a, sb - g)) {
            placed_[size_t(q.a)].spawn = sb - g;
            return true;
        }
    }
    // Moving one note is not enough: fix both notes of a pair and place everything again.
    std::vector<Placed> before = placed_;
    int tries = 0;
    for (const Pair &q : pairs) {
        const Placed pa = before[size_t(q.a)], pb = before[size_t(q.b)];
        for (int s : pa.cand) {
            if (!std::binary_search(pb.cand.begin(), pb.cand.end(), s + g) || ++tries > 4000)
                continue;
            override_ = {{pa.step, s}, {pb.step, s + g}};
            int bad_step = 0, bad_lane = 0;
            if (place(bad_step, bad_lane)) {
                override_.clear();
                return true;
            }
        }
    }
    override_.clear();
    placed_ = before;
    return fail("no pair of notes can be tuned to the smallest gap %d ms", g);
}

bool Fitter::layout(std::vector<ChartNote> &rows) {
    rows.clear();
    for (int l = 1; l <= 5; l++) {
        std::vector<int> times;
        for (const Placed &p : placed_)
            if (p.lanes & lane_bit(l)) times.push_back(p.spawn);
        std::sort(times.begin(), times.end());
        std::vector<int> in_order = times, block;
        for (const LateRows &r : t_.late) {
            if (r.lane != l) continue;
            for (int s : r.fixed) {
                auto it = std::find(in_order.begin(), in_order.end(), s);
                if (it == in_order.end()) return fail("late row %d of lane %d is missing", s, l);
                block.push_back(s);
                in_order.erase(it);
            }
            // The block goes on with the lane's next notes after its fixed rows.
            int from = r.fixed.empty() ? INT_MIN : r.fixed.back();
            for (auto it = in_order.begin(); it != in_order.end() && int(block.size()) < r.count;) {
                if (*it > from) {
                    block.push_back(*it);
                    it = in_order.erase(it);
                } else {
                    ++it;
                }
            }
        }
        if (t_.doubled_lane == l) block.push_back(t_.doubled_spawn);
        const std::vector<int> &skip = t_.skipped[l - 1];
        int slot = 0;
        for (const std::vector<int> *part : {&in_order, &block})
            for (int s : *part) {
                while (std::find(skip.begin(), skip.end(), slot) != skip.end())
                    slot++;
                rows.push_back({l, s, slot++});
            }
    }
    return true;
}

bool Fitter::run(std::vector<ChartNote> &rows) {
    for (int l = 1; l <= 5; l++)
        rep_.composed[l - 1] = count(l);
    rep_.composed_chords = chord_count();
    if (!set_pins()) return false;
    for (int attempt = 0; attempt < 400; attempt++) {
        normalize();
        bool settled = false;
        for (int round = 0; round < 50 && !settled; round++) {
            bool changed = false;
            if (!fix_chords(changed) || !fix_counts(changed)) return false;
            settled = !changed;
        }
        if (!settled) return fail("chords and lane counts do not settle");
        int bad_step = 0, bad_lane = 0;
        if (place(bad_step, bad_lane)) return exact_min_gap() && layout(rows);
        if (bad_step == INT_MIN)
            return fail("pinned notes of lane %d are closer than the lane gap", bad_lane);
        forbidden_.insert({bad_step, bad_lane});
        ev_[bad_step] &= ~lane_bit(bad_lane);
        if (!ev_[bad_step]) ev_.erase(bad_step);
        rep_.dropped_for_gap++;
    }
    return fail("too many notes dropped for the lane gap");
}

} // namespace

bool fit_chart(const Composition &music, const ChartTarget &target, std::vector<ChartNote> &rows,
               FitReport &report) {
    Fitter f(music, target, report);
    return f.run(rows);
}
