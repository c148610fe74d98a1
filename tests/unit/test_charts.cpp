// The six chart tables: lanes, chords, gaps, row order and slots, timing, the CSV dump.
#include "game/lane_layout.h"
#include "songs/catalogue.h"
#include "songs/charts.h"

#include "../tools/common/song_styles.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct LaneShape {
    int notes, max_slot, first, last;
};

struct ChartShape {
    const char *name;
    int song;
    const Chart *chart;
    LaneShape lanes[5];
    int chord_times;
    int min_gap;
    int end_ms;
    int margin;
};

const LaneShape NONE = {0, -1, 0, 0};

const ChartShape SHAPES[] = {
    {"paranoid",
     0,
     &chart_paranoid,
     {{95, 94, 2995, 166551},
      {224, 224, 4492, 167101},
      {74, 73, 4850, 167101},
      {23, 22, 20249, 161601},
      NONE},
     21,
     178,
     170000,
     1800},
    {"highwaytohell",
     1,
     &chart_highwaytohell,
     {{134, 133, 4953, 190096},
      {191, 190, 4953, 190225},
      {177, 176, 2791, 208821},
      {111, 110, 2791, 208821},
      NONE},
     234,
     171,
     211000,
     1800},
    {"aceofspades",
     2,
     &chart_aceofspades,
     {{139, 148, 9783, 180574},
      {124, 123, 11272, 178884},
      {142, 141, 8055, 185023},
      {73, 72, 10634, 177617},
      NONE},
     67,
     105,
     188000,
     1800},
    {"runtothehills",
     3,
     &chart_runtothehills,
     {{48, 47, 17875, 220216},
      {101, 108, 15845, 231717},
      {131, 131, 12504, 231717},
      {63, 121, 11834, 217540},
      NONE},
     54,
     259,
     238000,
     1800},
    {"forwhomthebellstolls",
     4,
     &chart_forwhomthebellstolls,
     {{303, 302, 7312, 304187},
      {260, 259, 7312, 304187},
      {206, 205, 7812, 303500},
      {90, 89, 8312, 303500},
      NONE},
     224,
     187,
     309000,
     1800},
    {"tutorial",
     99,
     &chart_tutorial,
     {{13, 12, 63500, 143375},
      {13, 12, 82000, 113188},
      {16, 15, 85000, 144125},
      {11, 10, 82000, 113375},
      {10, 9, 99000, 144125}},
     4,
     125,
     146000,
     1875},
};

std::vector<ChartNote> rows_of(const Chart &c) { return {c.notes, c.notes + c.count}; }

std::vector<ChartNote> lane_rows(const Chart &c, int lane) {
    std::vector<ChartNote> out;
    for (const ChartNote &n : rows_of(c))
        if (n.lane == lane) out.push_back(n);
    return out;
}

std::vector<int> lane_times(const Chart &c, int lane) {
    std::vector<int> out;
    for (const ChartNote &n : lane_rows(c, lane))
        out.push_back(n.spawn);
    std::sort(out.begin(), out.end());
    return out;
}

// Spawn time -> set of lanes (bit 0 = lane 1) struck at that time.
std::map<int, unsigned> lanes_by_time(const Chart &c) {
    std::map<int, unsigned> out;
    for (const ChartNote &n : rows_of(c))
        out[n.spawn] |= 1u << (n.lane - 1);
    return out;
}

int bits(unsigned set) {
    int n = 0;
    for (; set; set &= set - 1)
        ++n;
    return n;
}

const unsigned L1 = 1, L2 = 2, L3 = 4, L4 = 8, L5 = 16;

} // namespace

TEST(ChartShape, ChartForSongGivesTheSixTablesAndNothingElse) {
    for (const ChartShape &s : SHAPES)
        EXPECT_EQ(chart_for_song(s.song), s.chart) << s.name;
    for (int song : {-1, 5, 6, 98, 100})
        EXPECT_EQ(chart_for_song(song), nullptr) << song;
}

TEST(ChartShape, NotesHighestSlotAndSpanOfEveryLane) {
    const int totals[] = {416, 613, 478, 343, 859, 63};
    int i = 0;
    for (const ChartShape &s : SHAPES) {
        EXPECT_EQ(s.chart->count, totals[i++]) << s.name;
        for (int lane = 1; lane <= 5; ++lane) {
            const LaneShape &want = s.lanes[lane - 1];
            std::vector<ChartNote> rows = lane_rows(*s.chart, lane);
            SCOPED_TRACE(std::string(s.name) + " lane " + std::to_string(lane));
            ASSERT_EQ(int(rows.size()), want.notes);
            if (rows.empty()) continue;
            int top = -1, lo = INT_MAX, hi = INT_MIN;
            for (const ChartNote &n : rows) {
                top = std::max(top, n.slot);
                lo = std::min(lo, n.spawn);
                hi = std::max(hi, n.spawn);
            }
            EXPECT_EQ(top, want.max_slot);
            EXPECT_EQ(lo, want.first);
            EXPECT_EQ(hi, want.last);
        }
    }
}

TEST(ChartShape, EveryRowHasAValidLaneAndItsOwnSlotInsideThePool) {
    for (const ChartShape &s : SHAPES) {
        std::set<std::pair<int, int>> used;
        for (const ChartNote &n : rows_of(*s.chart)) {
            ASSERT_TRUE(n.lane >= 1 && n.lane <= 5) << s.name;
            EXPECT_TRUE(n.slot >= 0 && n.slot < LANE_SLOTS[n.lane - 1])
                << s.name << " lane " << n.lane << " slot " << n.slot;
            EXPECT_TRUE(used.insert({n.lane, n.slot}).second)
                << s.name << " lane " << n.lane << " slot " << n.slot << " used twice";
        }
    }
    // The longest chart fills lane 2's pool to its last slot.
    EXPECT_EQ(lane_rows(chart_forwhomthebellstolls, 2).back().slot, LANE_SLOTS[1] - 1);
}

TEST(ChartOrder, RowsRunLaneByLaneEachByRisingSlot) {
    for (const ChartShape &s : SHAPES) {
        std::vector<ChartNote> rows = rows_of(*s.chart);
        for (size_t i = 1; i < rows.size(); ++i) {
            const ChartNote &a = rows[i - 1], &b = rows[i];
            EXPECT_TRUE(a.lane < b.lane || (a.lane == b.lane && a.slot < b.slot))
                << s.name << " row " << i;
        }
    }
}

TEST(ChartOrder, SpawnsRiseWithTheSlotExceptTheRowsPlacedLast) {
    // chart, lane, rows at the end of the lane that lie earlier in time, their first spawn
    const struct {
        const Chart *chart;
        int lane, late, first_late;
    } cases[] = {
        {&chart_paranoid, 2, 1, 138413},
        {&chart_aceofspades, 2, 11, 29229},
        {&chart_runtothehills, 2, 2, 220216},
        {&chart_runtothehills, 3, 8, 81065},
    };
    for (const ChartShape &s : SHAPES) {
        for (int lane = 1; lane <= 5; ++lane) {
            std::vector<ChartNote> rows = lane_rows(*s.chart, lane);
            size_t late = 0;
            int first_late = 0;
            for (const auto &c : cases)
                if (c.chart == s.chart && c.lane == lane) {
                    late = size_t(c.late);
                    first_late = c.first_late;
                }
            SCOPED_TRACE(std::string(s.name) + " lane " + std::to_string(lane));
            size_t body = rows.size() - late;
            for (size_t i = 1; i < body; ++i)
                EXPECT_GT(rows[i].spawn, rows[i - 1].spawn) << "slot " << rows[i].slot;
            if (!late) continue;
            EXPECT_EQ(rows[body].spawn, first_late);
            EXPECT_LT(rows[body].spawn, rows[body - 1].spawn);
            for (size_t i = body + 1; i < rows.size(); ++i)
                EXPECT_GT(rows[i].spawn, rows[i - 1].spawn) << "slot " << rows[i].slot;
        }
    }
    // The exact late rows named for each chart.
    std::vector<ChartNote> p2 = lane_rows(chart_paranoid, 2);
    EXPECT_EQ(p2.back().slot, 224);
    EXPECT_EQ(p2[p2.size() - 2].spawn, 167101);
    std::vector<ChartNote> a2 = lane_rows(chart_aceofspades, 2);
    EXPECT_EQ(a2[112].slot, 112);
    EXPECT_EQ(a2[112].spawn, 178884);
    std::vector<ChartNote> r2 = lane_rows(chart_runtothehills, 2);
    ASSERT_GE(r2.size(), 3u);
    EXPECT_EQ(r2[r2.size() - 2].slot, 107);
    EXPECT_EQ(r2[r2.size() - 1].slot, 108);
    EXPECT_EQ(r2[r2.size() - 1].spawn, 221410);
    EXPECT_EQ(r2[r2.size() - 3].spawn, 231717);
    std::vector<ChartNote> r3 = lane_rows(chart_runtothehills, 3);
    EXPECT_EQ(r3[r3.size() - 9].slot, 123);
    EXPECT_EQ(r3[r3.size() - 9].spawn, 231717);
    EXPECT_EQ(r3[r3.size() - 8].slot, 124);
}

TEST(ChartOrder, SkippedSlotIndicesAreExactlyTheListedOnes) {
    const std::vector<int> none;
    for (const ChartShape &s : SHAPES) {
        for (int lane = 1; lane <= 5; ++lane) {
            std::set<int> slots;
            for (const ChartNote &n : lane_rows(*s.chart, lane))
                slots.insert(n.slot);
            std::vector<int> gaps;
            for (int i = 0; !slots.empty() && i <= *slots.rbegin(); ++i)
                if (!slots.count(i)) gaps.push_back(i);
            SCOPED_TRACE(std::string(s.name) + " lane " + std::to_string(lane));
            if (s.chart == &chart_paranoid && lane == 2) {
                EXPECT_EQ(gaps, std::vector<int>({202}));
            } else if (s.chart == &chart_aceofspades && lane == 1) {
                EXPECT_EQ(gaps, std::vector<int>({18, 21, 41, 44, 72, 73, 74, 75, 117, 120}));
            } else if (s.chart == &chart_runtothehills && lane == 2) {
                EXPECT_EQ(gaps, std::vector<int>({2, 3, 7, 11, 12, 16, 17, 36}));
            } else if (s.chart == &chart_runtothehills && lane == 3) {
                EXPECT_EQ(gaps, std::vector<int>({114}));
            } else if (s.chart == &chart_runtothehills && lane == 4) {
                ASSERT_EQ(gaps.size(), 59u);
                EXPECT_GE(gaps.front(), 15);
                EXPECT_LE(gaps.back(), 120);
            } else {
                EXPECT_EQ(gaps, none);
            }
        }
    }
}

TEST(ChartChords, DistinctChordTimesAndTheOneThreeLaneChord) {
    for (const ChartShape &s : SHAPES) {
        int chords = 0;
        for (const auto &t : lanes_by_time(*s.chart)) {
            if (bits(t.second) >= 2) ++chords;
            bool the_triple = s.chart == &chart_forwhomthebellstolls && t.first == 231250;
            if (!the_triple) {
                EXPECT_LE(bits(t.second), 2) << s.name << " at " << t.first;
            }
        }
        EXPECT_EQ(chords, s.chord_times) << s.name;
    }
    EXPECT_EQ(lanes_by_time(chart_forwhomthebellstolls)[231250], L1 | L2 | L3);
}

TEST(ChartGaps, SmallestSameLaneGapOccursAndNothingIsCloser) {
    for (const ChartShape &s : SHAPES) {
        int smallest = INT_MAX, doubled = 0;
        for (int lane = 1; lane <= 5; ++lane) {
            std::vector<int> t = lane_times(*s.chart, lane);
            for (size_t i = 1; i < t.size(); ++i) {
                // Paranoid's lane 2 strikes 138413 twice; they fall as one note.
                if (t[i] == t[i - 1] && s.chart == &chart_paranoid && lane == 2 && t[i] == 138413) {
                    ++doubled;
                    continue;
                }
                smallest = std::min(smallest, t[i] - t[i - 1]);
            }
        }
        EXPECT_EQ(smallest, s.min_gap) << s.name;
        EXPECT_EQ(doubled, s.chart == &chart_paranoid ? 1 : 0) << s.name;
    }
    std::vector<ChartNote> p2 = lane_rows(chart_paranoid, 2);
    std::vector<int> slots;
    for (const ChartNote &n : p2)
        if (n.spawn == 138413) slots.push_back(n.slot);
    EXPECT_EQ(slots, std::vector<int>({178, 224}));
}

TEST(ChartTellingRows, OpeningNotesOfParanoidAndForWhomTheBellsToll) {
    auto first5 = [](const Chart &c, int lane) {
        std::vector<int> t = lane_times(c, lane);
        t.resize(std::min<size_t>(t.size(), 5));
        return t;
    };
    EXPECT_EQ(first5(chart_paranoid, 1), std::vector<int>({2995, 3556, 4118, 5922, 6492}));
    EXPECT_EQ(first5(chart_forwhomthebellstolls, 1),
              std::vector<int>({7312, 7500, 8812, 13000, 17062}));
    EXPECT_EQ(first5(chart_forwhomthebellstolls, 2),
              std::vector<int>({7312, 7500, 7812, 8000, 9062}));
    // So the song opens with two two-lane chords.
    std::map<int, unsigned> f = lanes_by_time(chart_forwhomthebellstolls);
    EXPECT_EQ(f.begin()->first, 7312);
    EXPECT_EQ(f[7312], L1 | L2);
    EXPECT_EQ(f[7500], L1 | L2);
}

TEST(ChartTellingRows, TutorialOpensSparseRunsDenseAndClosesOnTwoChords) {
    EXPECT_EQ(lane_times(chart_tutorial, 5),
              std::vector<int>(
                  {99000, 111000, 111500, 111688, 112188, 112438, 112750, 113063, 113313, 144125}));
    std::map<int, unsigned> t = lanes_by_time(chart_tutorial);
    std::vector<std::pair<int, unsigned>> opening(t.begin(), std::next(t.begin(), 5));
    EXPECT_EQ(opening,
              (std::vector<std::pair<int, unsigned>>{
                  {63500, L1}, {72000, L1}, {76000, L1}, {82000, L2 | L4}, {85000, L1 | L3}}));
    std::vector<std::pair<int, unsigned>> closing(std::prev(t.end(), 2), t.end());
    EXPECT_EQ(closing,
              (std::vector<std::pair<int, unsigned>>{{143375, L1 | L3}, {144125, L3 | L5}}));
    // The dense run from 111000 to 113438 touches every lane, one lane at a time.
    unsigned seen = 0;
    int notes = 0;
    for (auto it = t.lower_bound(111000); it != t.end() && it->first <= 113438; ++it) {
        seen |= it->second;
        EXPECT_EQ(bits(it->second), 1) << it->first;
        ++notes;
    }
    EXPECT_EQ(seen, L1 | L2 | L3 | L4 | L5);
    EXPECT_TRUE(t.count(111000) && t.count(113438));
    EXPECT_GE(notes, 15);
}

TEST(ChartTiming, EveryNoteSpawnsLongEnoughBeforeTheSongsEnd) {
    for (const ChartShape &s : SHAPES) {
        int last = INT_MIN;
        for (int i = 0; i < s.chart->count; ++i)
            last = std::max(last, s.chart->notes[i].spawn);
        EXPECT_LE(last, s.end_ms - s.margin) << s.name;
    }
}

TEST(ChartTiming, ForWhomTheBellsTollsSitsOnTheTruncated62_5Grid) {
    for (const ChartNote &n : rows_of(chart_forwhomthebellstolls)) {
        int k = (2 * n.spawn + 124) / 125; // smallest k with k * 62.5 >= spawn
        EXPECT_EQ(125 * k / 2, n.spawn) << "lane " << n.lane << " slot " << n.slot;
    }
}

TEST(ChartTiming, NotesAreHeardOnTheirSongsBeatGrid) {
    // The soundtrack plays drums and bass on this grid; a chart note must be heard on it
    // within the frame quantisation, or the player hits against the beat.
    for (const ChartShape &s : SHAPES) {
        const SongStyle *style = song_style_for(s.song);
        ASSERT_NE(style, nullptr) << s.name;
        EXPECT_EQ(style->end_ms(), s.end_ms) << s.name;
        double step = beat_ms(*style) / style->steps_per_beat;
        double worst = 0;
        for (const ChartNote &n : rows_of(*s.chart)) {
            double h = heard_time_ms(n.spawn);
            double k = std::round((h - style->grid_origin_ms) / step);
            double err = 1e9;
            for (double d = -2; d <= 2; ++d)
                err = std::min(err, std::fabs(step_time_ms(*style, k + d) - h));
            worst = std::max(worst, err);
        }
        EXPECT_LE(worst, 37.5) << s.name;
    }
}

TEST(ChartTiming, HeardTimeIsTheFrameAfterTheSpawnPlusTheLead) {
    EXPECT_EQ(heard_time_ms(2995), 4000);
    EXPECT_EQ(heard_time_ms(3000), 4000);
    EXPECT_EQ(heard_time_ms(3001), 4050);
    EXPECT_EQ(heard_time_ms(0), 1000);
}

TEST(PrintChart, DumpsEveryRowAsCsvInChartOrder) {
    for (const ChartShape &s : SHAPES) {
        FILE *f = std::tmpfile();
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(print_chart(s.song, f), 0) << s.name;
        std::rewind(f);
        char line[64];
        int row = 0;
        while (std::fgets(line, sizeof line, f)) {
            ASSERT_LT(row, s.chart->count) << s.name;
            const ChartNote &n = s.chart->notes[row++];
            char want[64];
            std::snprintf(want, sizeof want, "%d,%d,%d\n", n.lane, n.spawn, n.slot);
            EXPECT_STREQ(line, want) << s.name << " row " << row;
        }
        EXPECT_EQ(row, s.chart->count) << s.name;
        std::fclose(f);
    }
}

TEST(PrintChart, UnknownSongIndexPrintsNothingAndReturns2) {
    for (int song : {-1, 5, 98, 100}) {
        FILE *f = std::tmpfile();
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(print_chart(song, f), 2) << song;
        EXPECT_EQ(std::ftell(f), 0L) << song;
        std::fclose(f);
    }
}
