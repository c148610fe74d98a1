// The fitting step: exact note counts, spans, chords and gaps from a composed song.
//
// The song plans write music on the beat grid; this step makes the result meet the
// chart's fixed shape without disturbing the music more than it must. It works in
// two stages. On the grid it sets the pinned rows, cuts every lane to its span,
// then splits or makes chords and removes or adds single notes, always choosing the
// metrically weakest notes to remove and the strongest free steps (echoing the same
// lane a bar away) to fill. Then (spawn.cpp) it gives every grid event a spawn time
// inside the 50 ms frame window that makes the note heard on its grid step, keeping
// the lane gap, and finally tunes one pair of notes to the exact smallest gap.
#include "fitter.h"

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

bool fit_chart(const Composition &music, const ChartTarget &target, std::vector<ChartNote> &rows,
               FitReport &report) {
    Fitter f(music, target, report);
    return f.run(rows);
}
