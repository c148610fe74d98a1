// The six recordings: where each is written and how each song sounds.
#pragma once

#include "song_sound.h"

#include <vector>

struct Chart;
struct SongStyle;

namespace soundtrack {

// One recording of the game: the song index (0..4, 99 for the tutorial) and its path
// under the game directory.
struct Recording {
    int song;
    const char *path;
};

extern const Recording kRecordings[6];

// The sound of a song: grid, key, parts and end time from its style, groove, lead timbre
// and chords chosen here for each song index.
SongSound sound_for_style(const SongStyle &style);

// The chart's notes as the lead plays them: each at the song-clock time the player
// should hear it, the middle of its hit window.
std::vector<LeadNote> lead_notes(const Chart &chart);

} // namespace soundtrack
