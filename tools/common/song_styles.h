// Musical style of each chart: tempo, beat grid, key and sections, shared by the
// chart composer and the soundtrack synthesizer so that notes and music line up.
#pragma once

#include "songs/charts.h"

#include <cmath>

// A chart note spawns at the top of the screen and reaches the hit line about one
// second later; the music plays the note at that later moment (songs/charts.h).
constexpr int kChartLeadMs = CHART_LEAD_MS;

// Song-clock time (ms) at which a note with chart time `spawn` is heard and ideally hit.
inline int heard_time_ms(int spawn) { return chart_heard_ms(spawn); }

enum SectionKind {
    SECTION_INTRO,
    SECTION_VERSE,
    SECTION_CHORUS,
    SECTION_BRIDGE,
    SECTION_SOLO,
    SECTION_OUTRO,
};

// One part of a song. It runs from start_bar up to the next section's start_bar
// (the last one up to the song's end); bar 0 starts at grid_origin_ms.
struct SongSection {
    int start_bar;
    SectionKind kind;
    int energy; // 0 silence, 1 sparse (drums or bass alone), 2 band, 3 full and loud
};

struct SongStyle {
    int song;              // the built-in song's index (songs/builtin_songs.h)
    double bpm;            // quarter-note beats per minute
    double grid_origin_ms; // music time of the first downbeat (bar 0, beat 0)
    int beats_per_bar;
    int steps_per_beat; // chart grid: 2 eighths, 3 triplets, 4 sixteenths, 8 32nds
    double swing;       // off-beat eighth as a fraction of the beat: 0.5 straight, 2/3 shuffle
    int key_midi;       // tonic as a MIDI note number (bass register)
    bool minor;
    const char *character;
    const SongSection *sections;
    int section_count;

    // The built-in song's chart name, and the song clock at which it is won (the music
    // may stop there).
    const char *name() const { return builtin_song(song) ? builtin_song(song)->name : ""; }
    int end_ms() const { return builtin_song(song) ? builtin_song(song)->end_ms : 0; }
};

// clang-format off
static const SongSection kSectionsParanoid[] = {
    {0, SECTION_INTRO, 1}, {2, SECTION_INTRO, 2}, {10, SECTION_VERSE, 2}, {26, SECTION_CHORUS, 3},
    {34, SECTION_VERSE, 2}, {50, SECTION_CHORUS, 3}, {58, SECTION_SOLO, 3}, {74, SECTION_BRIDGE, 2},
    {82, SECTION_VERSE, 2}, {98, SECTION_CHORUS, 3}, {106, SECTION_OUTRO, 3},
};
static const SongSection kSectionsHighwayToHell[] = {
    {0, SECTION_INTRO, 1}, {1, SECTION_INTRO, 2}, {9, SECTION_VERSE, 2}, {25, SECTION_CHORUS, 3},
    {33, SECTION_VERSE, 2}, {49, SECTION_CHORUS, 3}, {57, SECTION_SOLO, 3}, {73, SECTION_BRIDGE, 2},
    {81, SECTION_CHORUS, 3}, {93, SECTION_OUTRO, 2},
};
static const SongSection kSectionsAceOfSpades[] = {
    {0, SECTION_INTRO, 1}, {5, SECTION_INTRO, 3}, {13, SECTION_VERSE, 2}, {29, SECTION_CHORUS, 3},
    {37, SECTION_VERSE, 2}, {53, SECTION_CHORUS, 3}, {61, SECTION_SOLO, 3}, {77, SECTION_BRIDGE, 2},
    {85, SECTION_VERSE, 2}, {93, SECTION_CHORUS, 3}, {101, SECTION_OUTRO, 3},
};
static const SongSection kSectionsRunToTheHills[] = {
    {0, SECTION_INTRO, 1}, {9, SECTION_INTRO, 2}, {17, SECTION_VERSE, 2}, {33, SECTION_CHORUS, 3},
    {41, SECTION_VERSE, 2}, {57, SECTION_CHORUS, 3}, {65, SECTION_SOLO, 3}, {81, SECTION_VERSE, 2},
    {97, SECTION_CHORUS, 3}, {105, SECTION_SOLO, 3}, {121, SECTION_BRIDGE, 2}, {137, SECTION_CHORUS, 3},
    {153, SECTION_OUTRO, 2},
};
static const SongSection kSectionsForWhomTheBellsTolls[] = {
    {0, SECTION_INTRO, 1}, {4, SECTION_INTRO, 3}, {20, SECTION_VERSE, 2}, {36, SECTION_CHORUS, 3},
    {44, SECTION_VERSE, 2}, {60, SECTION_CHORUS, 3}, {68, SECTION_BRIDGE, 2}, {84, SECTION_SOLO, 3},
    {100, SECTION_VERSE, 2}, {116, SECTION_CHORUS, 3}, {132, SECTION_SOLO, 3}, {144, SECTION_OUTRO, 3},
};
static const SongSection kSectionsTutorial[] = {
    {0, SECTION_INTRO, 1}, {32, SECTION_VERSE, 1}, {48, SECTION_VERSE, 2}, {56, SECTION_SOLO, 3},
    {58, SECTION_VERSE, 2}, {70, SECTION_OUTRO, 2},
};

static const SongStyle kSongStyles[] = {
    {0, 163.95, 1098.4, 4, 2, 0.5, 40, true,
     "driving straight eighths, minor riff with dotted pushes",
     kSectionsParanoid, int(sizeof kSectionsParanoid / sizeof kSectionsParanoid[0])},
    {1, 118.315, 1934.4, 4, 3, 2.0 / 3.0, 45, false,
     "mid-tempo shuffle, big open major chords on the accents",
     kSectionsHighwayToHell, int(sizeof kSectionsHighwayToHell / sizeof kSectionsHighwayToHell[0])},
    {2, 141.84, 653.5, 4, 4, 0.5, 38, false,
     "fast speed rock, pumping bass eighths with sixteenth pushes",
     kSectionsAceOfSpades, int(sizeof kSectionsAceOfSpades / sizeof kSectionsAceOfSpades[0])},
    {3, 176.34, 608.4, 4, 4, 0.5, 42, true,
     "galloping eighth-two-sixteenths rhythm, minor, sparse melodic hits",
     kSectionsRunToTheHills, int(sizeof kSectionsRunToTheHills / sizeof kSectionsRunToTheHills[0])},
    {4, 120.0, 350.0, 4, 4, 0.5, 41, true,
     "heavy mid-tempo march, tolling two-note chords, dense chromatic riffs",
     kSectionsForWhomTheBellsTolls, int(sizeof kSectionsForWhomTheBellsTolls / sizeof kSectionsForWhomTheBellsTolls[0])},
    {TUTORIAL_SONG, 120.0, 18.75, 4, 8, 0.5, 43, false,
     "calm backing groove, single teaching notes, one fast run",
     kSectionsTutorial, int(sizeof kSectionsTutorial / sizeof kSectionsTutorial[0])},
};
// clang-format on

constexpr int kSongStyleCount = int(sizeof kSongStyles / sizeof kSongStyles[0]);

// The style of built-in song index `song`; nullptr for any other index.
inline const SongStyle *song_style_for(int song) {
    for (const SongStyle &s : kSongStyles)
        if (s.song == song) return &s;
    return nullptr;
}

inline double beat_ms(const SongStyle &s) { return 60000.0 / s.bpm; }

// Music time of grid step `step` (steps_per_beat steps a beat, step 0 = first downbeat).
// With a shuffle the off-beat eighth lands at `swing` of the beat; triplet grids
// already hold it, so swing applies only to even step counts.
inline double step_time_ms(const SongStyle &s, double step) {
    double beat = std::floor(step / s.steps_per_beat);
    double frac = step / s.steps_per_beat - beat;
    if (s.swing != 0.5 && s.steps_per_beat % 2 == 0)
        frac = frac < 0.5 ? frac * 2.0 * s.swing : s.swing + (frac - 0.5) * 2.0 * (1.0 - s.swing);
    return s.grid_origin_ms + (beat + frac) * beat_ms(s);
}

// Music time at which bar `bar` starts.
inline double bar_time_ms(const SongStyle &s, int bar) {
    return s.grid_origin_ms + double(bar) * s.beats_per_bar * beat_ms(s);
}
