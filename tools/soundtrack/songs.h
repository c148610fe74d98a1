// How each built-in song sounds, from its style and the choices made here for it.
#pragma once

#include "song_sound.h"

#include <vector>

struct Chart;
struct SongStyle;

namespace soundtrack {

// The sound of a song: grid, key, parts and end time from its style, groove, lead timbre
// and chords chosen here for each song index.
SongSound sound_for_style(const SongStyle &style);

// The chart's notes as the lead plays them: each at the song-clock time the player
// should hear it, the middle of its hit window.
std::vector<LeadNote> lead_notes(const Chart &chart);

} // namespace soundtrack
