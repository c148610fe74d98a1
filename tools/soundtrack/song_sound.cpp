// Lane pitches and recording length of a song.
#include "song_sound.h"

#include "timing.h"

#include <cmath>

namespace soundtrack {

double lane_frequency(const SongSound &song, int lane) {
    static const int minor_steps[5] = {0, 3, 5, 7, 10}; // minor pentatonic
    static const int major_steps[5] = {0, 2, 4, 7, 9};  // major pentatonic
    if (lane < 1) lane = 1;
    if (lane > 5) lane = 5;
    const int pitch_class = ((song.bass_tonic % 12) + 12) % 12;
    // Tonic between A4 (440 Hz) and G#5: high enough to leave the bass and the drums'
    // bodies far below, low enough that the partials stay under the Nyquist limit.
    const int tonic = 69 + ((pitch_class - 9 + 12) % 12);
    const int midi = tonic + (song.minor ? minor_steps : major_steps)[lane - 1];
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

long song_samples(const SongSound &song) {
    return static_cast<long>(static_cast<double>(song.end_ms + kTailMs) * kSampleRate / 1000.0);
}

} // namespace soundtrack
