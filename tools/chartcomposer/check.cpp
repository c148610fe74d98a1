// Self-check of a finished chart: every property of its target, verified from the rows alone.
#include "check.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <map>
#include <set>

#include "fit.h"

namespace {

void add(std::vector<std::string> &out, const char *fmt, ...) {
    char buf[256];
    va_list ap;
    va_start(ap, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    out.push_back(buf);
}

LaneSet lanes_at(const std::map<int, LaneSet> &by_time, int spawn) {
    auto it = by_time.find(spawn);
    return it == by_time.end() ? 0 : it->second;
}

void check_lane(const std::vector<ChartNote> &rows, const ChartTarget &t, int lane,
                std::vector<std::string> &out) {
    std::vector<const ChartNote *> mine;
    for (const ChartNote &r : rows)
        if (r.lane == lane) mine.push_back(&r);
    const LaneTarget &want = t.lanes[lane - 1];
    if (int(mine.size()) != want.notes)
        add(out, "lane %d has %d notes, wants %d", lane, int(mine.size()), want.notes);
    if (mine.empty()) return;
    int lo = INT_MAX, hi = INT_MIN, top = -1;
    std::set<int> slots;
    for (size_t i = 0; i < mine.size(); i++) {
        lo = std::min(lo, mine[i]->spawn);
        hi = std::max(hi, mine[i]->spawn);
        top = std::max(top, mine[i]->slot);
        if (!slots.insert(mine[i]->slot).second)
            add(out, "lane %d slot %d used twice", lane, mine[i]->slot);
        if (i > 0 && mine[i]->slot <= mine[i - 1]->slot)
            add(out, "lane %d rows not by rising slot at slot %d", lane, mine[i]->slot);
    }
    if (top != want.max_slot)
        add(out, "lane %d highest slot %d, wants %d", lane, top, want.max_slot);
    if (top >= lane_pool_size(lane)) add(out, "lane %d slot %d beyond its pool", lane, top);
    if (lo != want.first || hi != want.last)
        add(out, "lane %d spans %d..%d, wants %d..%d", lane, lo, hi, want.first, want.last);
    // Unused slot indices inside the range must be exactly the listed ones.
    std::vector<int> skipped;
    for (int s = 0; s <= top; s++)
        if (!slots.count(s)) skipped.push_back(s);
    if (skipped != t.skipped[lane - 1])
        add(out, "lane %d skips %d slot indices, not the listed %d", lane, int(skipped.size()),
            int(t.skipped[lane - 1].size()));
    // Spawn order: rising with the slot, apart from the late block at the end.
    size_t late = 0;
    for (const LateRows &r : t.late)
        if (r.lane == lane) late = size_t(r.count);
    if (t.doubled_lane == lane) late = 1;
    size_t body = mine.size() - std::min(late, mine.size());
    for (size_t i = 1; i < body; i++)
        if (mine[i]->spawn <= mine[i - 1]->spawn)
            add(out, "lane %d slot %d out of time order", lane, mine[i]->slot);
    if (late > 0 && body > 0 && body < mine.size()) {
        if (mine[body]->spawn >= mine[body - 1]->spawn)
            add(out, "lane %d late rows are not placed after later notes", lane);
        for (size_t i = body + 1; i < mine.size(); i++)
            if (mine[i]->spawn <= mine[i - 1]->spawn)
                add(out, "lane %d late rows not rising at slot %d", lane, mine[i]->slot);
        for (const LateRows &r : t.late)
            if (r.lane == lane)
                for (size_t k = 0; k < r.fixed.size(); k++)
                    if (body + k >= mine.size() || mine[body + k]->spawn != r.fixed[k])
                        add(out, "lane %d late row %d is not %d", lane, int(k), r.fixed[k]);
    }
    for (const SlotAnchor &a : t.anchors)
        if (a.lane == lane && std::none_of(mine.begin(), mine.end(), [&](const ChartNote *r) {
                return r->spawn == a.spawn && r->slot == a.slot;
            }))
            add(out, "lane %d note %d does not own slot %d", lane, a.spawn, a.slot);
    // Opening notes word for word.
    std::vector<int> times;
    for (const ChartNote *r : mine)
        times.push_back(r->spawn);
    std::sort(times.begin(), times.end());
    const std::vector<int> &open = t.opening[lane - 1];
    if (!open.empty() &&
        (times.size() < open.size() || !std::equal(open.begin(), open.end(), times.begin())))
        add(out, "lane %d does not open with its listed notes", lane);
    // Gaps between notes of the lane sorted by time.
    int smallest = INT_MAX;
    int doubled = 0;
    for (size_t i = 1; i < times.size(); i++) {
        int d = times[i] - times[i - 1];
        if (d == 0 && t.doubled_lane == lane && times[i] == t.doubled_spawn) {
            doubled++;
            continue;
        }
        smallest = std::min(smallest, d);
    }
    if (smallest < t.min_gap)
        add(out, "lane %d has a gap of %d ms, below %d", lane, smallest, t.min_gap);
    if (t.doubled_lane == lane && doubled != 1)
        add(out, "lane %d does not hold the doubled note at %d", lane, t.doubled_spawn);
}

} // namespace

double worst_grid_error(const std::vector<ChartNote> &rows, const SongStyle &style) {
    double worst = 0;
    for (const ChartNote &r : rows) {
        double h = heard_time_ms(r.spawn);
        worst = std::max(worst, std::fabs(h - step_time_ms(style, nearest_step(style, h))));
    }
    return worst;
}

std::vector<std::string> check_chart(const std::vector<ChartNote> &rows, const ChartTarget &t,
                                     const SongStyle &style) {
    std::vector<std::string> out;
    for (size_t i = 1; i < rows.size(); i++)
        if (rows[i].lane < rows[i - 1].lane) add(out, "rows not grouped by lane at row %d", int(i));
    for (const ChartNote &r : rows)
        if (r.lane < 1 || r.lane > 5) add(out, "row with lane %d", r.lane);
    for (int l = 1; l <= 5; l++)
        check_lane(rows, t, l, out);

    std::map<int, LaneSet> by_time;
    int last = INT_MIN;
    for (const ChartNote &r : rows) {
        by_time[r.spawn] |= lane_bit(r.lane);
        last = std::max(last, r.spawn);
    }
    int chords = 0;
    for (const auto &e : by_time) {
        if (lane_count(e.second) >= 2) chords++;
        if (lane_count(e.second) >= 3 && e.first != t.triple_chord)
            add(out, "three-lane chord at %d", e.first);
    }
    if (chords != t.chord_times) add(out, "%d chord times, wants %d", chords, t.chord_times);
    if (t.triple_chord && lane_count(lanes_at(by_time, t.triple_chord)) != 3)
        add(out, "no three-lane chord at %d", t.triple_chord);

    // The smallest gap must occur somewhere.
    bool met = false;
    for (int l = 1; l <= 5 && !met; l++) {
        std::vector<int> times;
        for (const ChartNote &r : rows)
            if (r.lane == l) times.push_back(r.spawn);
        std::sort(times.begin(), times.end());
        for (size_t i = 1; i < times.size(); i++)
            met = met || times[i] - times[i - 1] == t.min_gap;
    }
    if (!met) add(out, "the smallest gap %d ms never occurs", t.min_gap);

    for (const Pin &p : t.pins)
        if (lanes_at(by_time, p.spawn) != p.lanes)
            add(out, "spawn %d is not struck in exactly its listed lanes", p.spawn);
    auto it = by_time.begin();
    for (const Pin &p : t.first_events) {
        if (it == by_time.end() || it->first != p.spawn || it->second != p.lanes)
            add(out, "the chart does not open with %d", p.spawn);
        if (it != by_time.end()) ++it;
    }
    auto rit = by_time.rbegin();
    for (size_t k = t.last_events.size(); k-- > 0;) {
        const Pin &p = t.last_events[k];
        if (rit == by_time.rend() || rit->first != p.spawn || rit->second != p.lanes)
            add(out, "the chart does not close with %d", p.spawn);
        if (rit != by_time.rend()) ++rit;
    }
    if (t.run_from) {
        LaneSet seen = 0;
        for (const ChartNote &r : rows)
            if (r.spawn >= t.run_from && r.spawn <= t.run_to) seen |= lane_bit(r.lane);
        if (seen != 31 || !by_time.count(t.run_from) || !by_time.count(t.run_to))
            add(out, "the run %d..%d does not cover all five lanes", t.run_from, t.run_to);
    }
    if (last > style.end_ms() - t.end_margin)
        add(out, "last note %d less than %d ms before the end %d", last, t.end_margin,
            style.end_ms());
    for (const ChartNote &r : rows) {
        if (t.rule == SPAWN_FLOOR_62_5 && (125 * ((2 * r.spawn + 124) / 125)) / 2 != r.spawn)
            add(out, "spawn %d is off the truncated 62.5 ms grid", r.spawn);
        if (t.rule == SPAWN_ROUND_62_5 && (125 * ((2 * r.spawn) / 125) + 1) / 2 != r.spawn &&
            (125 * ((2 * r.spawn + 124) / 125) + 1) / 2 != r.spawn)
            add(out, "spawn %d is off the rounded 62.5 ms grid", r.spawn);
    }
    double err = worst_grid_error(rows, style);
    if (err > 37.5) add(out, "a note is heard %.1f ms off the beat grid", err);
    return out;
}
