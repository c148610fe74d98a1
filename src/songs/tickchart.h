// What the chart readers yield: the lead guitar part in ticks at four difficulties, with
// the tempo map, the chart's own offset, its sections and metadata; and the limits that
// keep any input's result bounded.
#pragma once
#include "songs/songini.h"
#include "songs/tempomap.h"

#include <cstdint>
#include <string>
#include <vector>

enum Difficulty { DIFF_EASY, DIFF_MEDIUM, DIFF_HARD, DIFF_EXPERT, DIFF_COUNT };

// "easy", "medium", "hard", "expert".
extern const char *const difficulty_names[DIFF_COUNT];

// Largest chart file read; a dense chart of every instrument is a few megabytes.
const size_t CHART_FILE_MAX = 16 * 1024 * 1024;
// Most lane notes one difficulty may hold (a chord counts one per lane): five times the
// densest real charts.
const size_t NOTES_MAX = 100000;
// Most sections kept; later ones are dropped.
const size_t SECTIONS_MAX = 10000;
// Largest tick a .chart may name.
const uint64_t TICK_MAX = 0xFFFFFFFFu;

struct TickNote {
    uint64_t tick;
    uint64_t length; // sustain in ticks, 0 for none
    int lane;        // 1..5: green, red, yellow, blue, orange
};

struct ChartSection {
    uint64_t tick;
    std::string name;
};

struct TickChart {
    TempoMap tempo;
    double offset_ms = 0;    // the chart's own offset: positive makes the notes come later
    bool has_guitar = false; // the chart holds a lead guitar part at all
    std::vector<TickNote> notes[DIFF_COUNT];
    int open_notes[DIFF_COUNT] = {}; // notes without a lane, left out of `notes`
    std::vector<ChartSection> sections;
    bool has_end = false;
    uint64_t end_tick = 0; // the chart's "end" event
    SongMeta meta;         // names the chart itself gives (.chart only)
};

// Adds a note of `lane` (1..5) at difficulty `diff`; false with `reason` set when the
// difficulty is full.
bool add_tick_note(TickChart &chart, int diff, uint64_t tick, uint64_t length, int lane,
                   std::string &reason);

// Takes an event text of the chart's event list: "section Name", "section_Name",
// "prc_Name" (also in brackets) add a section, "end" ends the song; others are ignored.
void add_chart_event(TickChart &chart, uint64_t tick, const std::string &text);

// Orders each difficulty's notes by tick and lane and keeps one note per lane and tick
// (the longest), orders the sections, and finishes the tempo map.
void finish_tick_chart(TickChart &chart);
