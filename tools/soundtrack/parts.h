// The three parts of a recording: the lead plays the chart, drums and bass the beat grid.
#pragma once

#include "song_sound.h"
#include "voices.h"

#include <vector>

namespace soundtrack {

// The lead voice: one note per distinct (lane, time) of `notes`, starting exactly at its
// time. A note is cut well before the next note of its own lane, so that every note begins
// from silence in its lane's pitch and its start stays a sharp, measurable onset.
void add_lead(Mix &mix, const SongSound &song, const std::vector<LeadNote> &notes);

struct DrumHit {
    Drum drum;
    double heard_ms; // song-clock time at which it is heard
    float gain;
};

struct BassNote {
    double heard_ms;
    int midi;
    double gate_ms;
};

// Everything drums and bass play in a song, in no particular order.
struct RhythmEvents {
    std::vector<DrumHit> drums;
    std::vector<BassNote> bass;
    double final_ms = 0.0; // the closing hit: the first beat at or after the end time
};

// The drum and bass events of a song; add_rhythm plays exactly these.
RhythmEvents rhythm_events(const SongSound &song);

// Drums and bass on the song's beat grid, part by part as loud as each part's energy, from
// bar 0 to the end time, closed by a final hit on the first beat at or after the end time
// that rings into the tail.
void add_rhythm(Mix &mix, const SongSound &song);

} // namespace soundtrack
