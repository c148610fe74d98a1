// Small synthesis kit for the effects and the menu music: oscillators, envelopes,
// filters and a 16-bit PCM WAV encoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace assetgen {

constexpr int kRate = 22050; // the mixer's rate in the game, so nothing is resampled

// Note number to frequency, A4 = 69 = 440 Hz.
float note_hz(int midi);

float osc_sine(float phase); // phase in cycles
float osc_saw(float phase);
float osc_square(float phase, float duty = 0.5f);
float osc_tri(float phase);

// Deterministic white noise in [-1, 1), a fixed sequence per generator.
class Noise {
  public:
    explicit Noise(uint32_t seed) : s_(seed) {}
    float next();

  private:
    uint32_t s_;
};

// One-pole low-pass filter; cutoff in Hz.
class LowPass {
  public:
    float run(float x, float cutoff);

  private:
    float y_ = 0.0f;
};

// Exponential decay from 1 with the given time constant, after a short linear attack.
float env(float t, float attack, float decay);

// Mixes src into dst starting at sample `at`, scaled by gain; dst grows as needed.
void mix_into(std::vector<float> &dst, const std::vector<float> &src, size_t at, float gain);

// Scales so that the largest sample reaches `peak`.
void normalize(std::vector<float> &s, float peak);

// Little-endian 16-bit PCM WAV with the given channel count (samples interleaved).
std::vector<uint8_t> wav_bytes(const std::vector<float> &samples, int channels);

// Rounds and clamps to 16-bit.
int16_t to_s16(float v);

} // namespace assetgen
