// Sample rate of the recordings and the shift between the song clock and the file.
#pragma once

namespace soundtrack {

// The game opens the mixer at 22050 Hz; recordings at the same rate need no resampling.
constexpr int kSampleRate = 22050;

// The song clock starts when Mix_PlayMusic is called, but the first sample of the file
// reaches the speaker only after the mixer's output buffer has drained: 1024 samples at
// 22050 Hz, 46.4 ms. Everything is therefore written this many milliseconds earlier in
// the file than the song-clock time at which the player should hear it.
constexpr int kOutputLatencyMs = 46;

// Time that the recordings run on past the song's end time, for the final chord to ring.
constexpr int kTailMs = 3000;

// Sample index in the file of a sound that the player should hear at song clock `heard_ms`.
constexpr long file_sample(double heard_ms) {
    return static_cast<long>((heard_ms - kOutputLatencyMs) * kSampleRate / 1000.0 + 0.5);
}

// File time in ms of a sound heard at song clock `heard_ms`.
constexpr double file_ms(double heard_ms) { return heard_ms - kOutputLatencyMs; }

} // namespace soundtrack
