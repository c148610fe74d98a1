// The fitting step's second stage: spawn times inside each note's frame window, the
// exact smallest gap, and the slot layout of the rows.
#include <algorithm>
#include <climits>
#include <cmath>
#include <set>

#include "fitter.h"

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
