// Song stems made from synthesized tones: WAV, AIFF, Ogg Vorbis, Opus and MP3 writers.
#pragma once
#include <string>
#include <vector>

namespace stemgen {

// `seconds` of a sine at `hz` with peak `amplitude`, `channels` interleaved (the same in
// each), at `rate` frames per second.
std::vector<float> tone(int rate, double seconds, double hz, float amplitude, int channels = 1);

// `seconds` of stereo music-like sound for benchmarks, different for each `seed`: a chord
// of a few harmonic voices struck every beat, with a little noise, so that a lossy encoder
// spends bits as on a real stem.
std::vector<float> band(int rate, double seconds, int seed);

// Whether this build writes Opus (libopusenc was found).
extern const bool writes_opus;

// Writes `samples` (`channels` interleaved, [-1, 1]) at `rate` to `path` in the format its
// extension names: .wav and .aiff (16-bit), .ogg (Vorbis at `quality`), .opus, .mp3
// (320 kbps with the encoder's gapless tag). Returns false with a message in `error`.
bool write_stem(const std::string &path, const std::vector<float> &samples, int rate, int channels,
                std::string &error, float quality = 0.8f);

} // namespace stemgen
