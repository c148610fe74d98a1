// Renders a whole recording: lead, drums and bass mixed and levelled.
#pragma once

#include "song_sound.h"

#include <vector>

namespace soundtrack {

// Mono samples at kSampleRate in [-1, 1], song_samples(song) long. The same input always
// gives the same samples.
std::vector<float> render_song(const SongSound &song, const std::vector<LeadNote> &notes);

} // namespace soundtrack
