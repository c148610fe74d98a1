// Building blocks of the synthesizer: noise, filters, the sine table and the instruments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace soundtrack {

// The mix of one song, in samples at kSampleRate; writes outside it are dropped.
struct Mix {
    std::vector<float> samples;

    void add(long at, float value) {
        if (at >= 0 && at < static_cast<long>(samples.size()))
            samples[static_cast<size_t>(at)] += value;
    }
    // Adds `sound` scaled by `gain` with its first sample at `at`.
    void add(long at, const std::vector<float> &sound, float gain);
};

// Deterministic white noise (xorshift), so every build writes the same files.
class Rng {
  public:
    explicit Rng(uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}
    float next() { // uniform in [-1, 1)
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<float>(state_ >> 8) / 8388608.0f - 1.0f;
    }

  private:
    uint32_t state_;
};

// Second-order filter (the usual audio-cookbook high- and low-pass).
class Biquad {
  public:
    static Biquad highpass(double cutoff_hz, double q);
    static Biquad lowpass(double cutoff_hz, double q);
    float run(float x) {
        double y = b0_ * x + z1_;
        z1_ = b1_ * x - a1_ * y + z2_;
        z2_ = b2_ * x - a2_ * y;
        return static_cast<float>(y);
    }

  private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double z1_ = 0, z2_ = 0;
};

// sin(2*pi*phase) for a phase in turns, from a table with linear interpolation.
float sine(double phase);

// One partial of an additive voice: frequency as a multiple of the fundamental, level,
// and how fast it dies away (1/s, 0 for no extra decay beyond the note's envelope).
struct Partial {
    double ratio;
    float level;
    float decay;
};

// Envelope of a pitched note: linear attack, exponential fall towards the sustain level,
// held for the gate, then a linear release.
struct Envelope {
    float attack_ms;
    float decay_ms;
    float sustain;
    float release_ms;
};

// Adds one pitched note: the partials of `freq` under `env`, the gate starting at sample
// `at` and lasting `gate_ms`. Partials above `max_hz` are left out, which keeps the voice
// out of the bands that others use and away from aliasing. `vibrato_cents` > 0 bends
// the pitch at 5.5 Hz, starting 80 ms into the note.
void add_tone(Mix &mix, long at, double freq, const std::vector<Partial> &partials,
              const Envelope &env, double gate_ms, float gain, double max_hz,
              double vibrato_cents = 0.0);

// The pieces of the drum kit.
enum class Drum { Kick, Snare, Hat, OpenHat, Ride, Crash, TomHigh, TomMid, TomLow, TomFloor };

// The drum kit of one song: each piece rendered once and mixed in wherever it is struck.
struct DrumKit {
    std::vector<float> kick;
    std::vector<float> snare;
    std::vector<float> hat;
    std::vector<float> open_hat;
    std::vector<float> ride;
    std::vector<float> crash;
    std::vector<float> tom[4]; // high to low

    const std::vector<float> &sound(Drum drum) const;
};

// Makes a kit; `tight` shortens the snare and hats for fast songs.
DrumKit make_drum_kit(uint32_t seed, bool tight);

} // namespace soundtrack
