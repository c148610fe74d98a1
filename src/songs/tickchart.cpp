// The chart readers' common result: notes in ticks, sections, and their ordering.
#include "songs/tickchart.h"

#include "songs/songtext.h"

#include <algorithm>
#include <string>

const char *const difficulty_names[DIFF_COUNT] = {"easy", "medium", "hard", "expert"};

bool add_tick_note(TickChart &chart, int diff, uint64_t tick, uint64_t length, int lane,
                   std::string &reason) {
    std::vector<TickNote> &notes = chart.notes[diff];
    if (notes.size() >= NOTES_MAX) {
        reason = "too many notes (over 100000 in one difficulty)";
        return false;
    }
    notes.push_back({tick, length, lane});
    return true;
}

void add_chart_event(TickChart &chart, uint64_t tick, const std::string &text) {
    std::string t = trim(text);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']') t = t.substr(1, t.size() - 2);
    if (t == "end") {
        if (!chart.has_end || tick < chart.end_tick) chart.end_tick = tick;
        chart.has_end = true;
        return;
    }
    for (const char *prefix : {"section ", "section_", "prc_"}) {
        size_t n = std::char_traits<char>::length(prefix);
        if (t.compare(0, n, prefix) != 0) continue;
        if (chart.sections.size() < SECTIONS_MAX)
            chart.sections.push_back(
                {tick, clean_song_text(text_as_utf8(t.data() + n, t.size() - n))});
        return;
    }
}

void finish_tick_chart(TickChart &chart) {
    for (std::vector<TickNote> &notes : chart.notes) {
        std::stable_sort(notes.begin(), notes.end(), [](const TickNote &a, const TickNote &b) {
            return a.tick != b.tick ? a.tick < b.tick : a.lane < b.lane;
        });
        std::vector<TickNote> kept;
        kept.reserve(notes.size());
        for (const TickNote &n : notes) {
            if (!kept.empty() && kept.back().tick == n.tick && kept.back().lane == n.lane)
                kept.back().length = std::max(kept.back().length, n.length);
            else
                kept.push_back(n);
        }
        notes = std::move(kept);
    }
    std::stable_sort(chart.sections.begin(), chart.sections.end(),
                     [](const ChartSection &a, const ChartSection &b) { return a.tick < b.tick; });
    finish_tempo_map(chart.tempo);
}
