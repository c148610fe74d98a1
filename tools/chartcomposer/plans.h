// The song plans: one row per built-in song saying how its music is written as grid
// events (see phrase.h), and the one composer that plays a row through its song's sections.
#pragma once

#include <climits>
#include <vector>

#include "phrase.h"

// The riff a section kind plays: its loop, the turn that ends each phrase, phrase length.
struct SectionRiff {
    const char *loop = nullptr; // nullptr: the section writes no notes
    const char *turn = nullptr; // nullptr: phrases end on the loop itself
    int phrase_bars = 8;
};

// A change to the riff of some occurrences of one section kind (counted from 0 in song
// order), written as a chain: on(SECTION_VERSE, 1).with_loop("...").thinned(40).
// The changes apply in the order loop, shift, mirror, accent, thinning.
struct Variation {
    SectionKind kind;
    int first, last;
    int from_bar = 0;           // bars into the section before which the riff plays unchanged
    const char *loop = nullptr; // a loop in place of the section's
    int shift = 0;              // lanes every hit moves, where it fits in lanes 1..4
    bool mirror = false;        // lane l becomes lane 5 - l
    int accent_step = 0;        // grid step that gains accent_lanes
    LaneSet accent_lanes = 0;
    int thin_percent = 0; // share of single off-beat hits dropped, from the song's Rng

    Variation with_loop(const char *text) const { return with(&Variation::loop, text); }
    Variation shifted(int lanes) const { return with(&Variation::shift, lanes); }
    Variation mirrored() const { return with(&Variation::mirror, true); }
    Variation accented(int step, LaneSet lanes) const {
        return with(&Variation::accent_step, step).with(&Variation::accent_lanes, lanes);
    }
    Variation thinned(int percent) const { return with(&Variation::thin_percent, percent); }
    Variation from(int bars) const { return with(&Variation::from_bar, bars); }

    // A copy with one field set.
    template <typename T> Variation with(T Variation::*field, T value) const {
        Variation v = *this;
        v.*field = value;
        return v;
    }
};

// Occurrences first..last (inclusive) of `kind`; every one from `first` on by default.
inline Variation on(SectionKind kind, int first, int last = INT_MAX) {
    Variation v{kind, first, last};
    return v;
}

// Notes placed by beat outside the sections: one hit of `lanes` on `beat`, or, with
// `riff`, that riff starting on `beat`.
struct BeatNotes {
    double beat;
    LaneSet lanes;
    const char *riff = nullptr;
};

struct SongPlan {
    int song;                          // built-in song index
    uint32_t seed;                     // of the Rng that thins riffs
    SectionRiff sections[6];           // by SectionKind
    std::vector<Variation> variations; // the first that matches a section applies
    std::vector<BeatNotes> placed;
};

// The plan of built-in song `song`; nullptr when it has none.
const SongPlan *song_plan(int song);

// Writes the song of `style` by its plan; no notes when it has none.
Composition compose(const SongStyle &style);
