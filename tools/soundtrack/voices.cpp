// Noise, filters, the sine table, additive pitched notes and the drum kit.
#include "voices.h"

#include "timing.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace soundtrack {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSineSize = 4096;

const std::array<float, kSineSize + 1> &sine_table() {
    static const std::array<float, kSineSize + 1> table = [] {
        std::array<float, kSineSize + 1> t{};
        for (int i = 0; i <= kSineSize; ++i)
            t[static_cast<size_t>(i)] = static_cast<float>(std::sin(2.0 * kPi * i / kSineSize));
        return t;
    }();
    return table;
}

long ms_samples(double ms) { return static_cast<long>(ms * kSampleRate / 1000.0 + 0.5); }

// Exponentially decaying filtered noise, `length_ms` long.
std::vector<float> noise_burst(Rng &rng, Biquad filter, double length_ms, double decay_ms) {
    std::vector<float> out(static_cast<size_t>(ms_samples(length_ms)));
    const double fall = std::exp(-1000.0 / (decay_ms * kSampleRate));
    double level = 1.0;
    for (float &s : out) {
        s = static_cast<float>(filter.run(rng.next()) * level);
        level *= fall;
    }
    return out;
}

// A sine whose pitch drops from `start_hz` to `end_hz`, with an exponential decay.
std::vector<float> swept_sine(double start_hz, double end_hz, double sweep_ms, double length_ms,
                              double decay_ms) {
    std::vector<float> out(static_cast<size_t>(ms_samples(length_ms)));
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t_ms = 1000.0 * static_cast<double>(i) / kSampleRate;
        const double freq = end_hz + (start_hz - end_hz) * std::exp(-t_ms / sweep_ms);
        out[i] = static_cast<float>(sine(phase) * std::exp(-t_ms / decay_ms));
        phase += freq / kSampleRate;
    }
    // A few samples of fade-in keep the start from clicking into the lead's band.
    for (size_t i = 0; i < out.size() && i < 16; ++i)
        out[i] *= static_cast<float>(i) / 16.0f;
    return out;
}

void mix_into(std::vector<float> &dst, const std::vector<float> &src, float gain) {
    if (dst.size() < src.size()) dst.resize(src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i)
        dst[i] += src[i] * gain;
}

} // namespace

void Mix::add(long at, const std::vector<float> &sound, float gain) {
    const long size = static_cast<long>(samples.size());
    for (size_t i = 0; i < sound.size(); ++i) {
        const long pos = at + static_cast<long>(i);
        if (pos < 0) continue;
        if (pos >= size) break;
        samples[static_cast<size_t>(pos)] += sound[i] * gain;
    }
}

Biquad Biquad::highpass(double cutoff_hz, double q) {
    const double w = 2.0 * kPi * cutoff_hz / kSampleRate;
    const double alpha = std::sin(w) / (2.0 * q), c = std::cos(w), a0 = 1.0 + alpha;
    Biquad f;
    f.b0_ = (1.0 + c) / 2.0 / a0;
    f.b1_ = -(1.0 + c) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2.0 * c / a0;
    f.a2_ = (1.0 - alpha) / a0;
    return f;
}

Biquad Biquad::lowpass(double cutoff_hz, double q) {
    const double w = 2.0 * kPi * cutoff_hz / kSampleRate;
    const double alpha = std::sin(w) / (2.0 * q), c = std::cos(w), a0 = 1.0 + alpha;
    Biquad f;
    f.b0_ = (1.0 - c) / 2.0 / a0;
    f.b1_ = (1.0 - c) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2.0 * c / a0;
    f.a2_ = (1.0 - alpha) / a0;
    return f;
}

float sine(double phase) {
    double turns = phase - std::floor(phase);
    const double pos = turns * kSineSize;
    int index = static_cast<int>(pos);
    if (index >= kSineSize) index = kSineSize - 1;
    const float frac = static_cast<float>(pos - index);
    const auto &t = sine_table();
    const float a = t[static_cast<size_t>(index)], b = t[static_cast<size_t>(index) + 1];
    return a + (b - a) * frac;
}

void add_tone(Mix &mix, long at, double freq, const std::vector<Partial> &partials,
              const Envelope &env, double gate_ms, float gain, double max_hz,
              double vibrato_cents) {
    const long attack = std::max(1L, ms_samples(env.attack_ms));
    const long gate = std::max(attack, ms_samples(gate_ms));
    const long release = std::max(1L, ms_samples(env.release_ms));
    const double decay_fall = std::exp(-1000.0 / (env.decay_ms * kSampleRate));

    struct Voice {
        double ratio;
        float level;
        double fall; // per-sample factor of the partial's own decay
        double now;
    };
    std::vector<Voice> voices;
    for (const Partial &p : partials) {
        if (p.level == 0.0f || freq * p.ratio > max_hz) continue;
        voices.push_back({p.ratio, p.level, std::exp(-p.decay / kSampleRate), 1.0});
    }
    if (voices.empty()) return;

    const double vibrato_depth = std::pow(2.0, vibrato_cents / 1200.0) - 1.0;
    const long vibrato_start = ms_samples(80);
    double phase = 0.0;     // of the fundamental, in turns
    double fall_part = 1.0; // (1 - sustain)-part of the decay stage
    float level = 0.0f;
    for (long i = 0; i < gate + release; ++i) {
        if (i < attack) {
            level = static_cast<float>(i) / static_cast<float>(attack);
        } else if (i < gate) {
            level = env.sustain + (1.0f - env.sustain) * static_cast<float>(fall_part);
            fall_part *= decay_fall;
        }
        // The release falls linearly from wherever the envelope stood at the gate's end.
        float amp = level;
        if (i >= gate)
            amp = level * (1.0f - static_cast<float>(i - gate) / static_cast<float>(release));

        float sum = 0.0f;
        for (Voice &v : voices) {
            sum += v.level * static_cast<float>(v.now) * sine(phase * v.ratio);
            v.now *= v.fall;
        }
        mix.add(at + i, sum * amp * gain);

        double step = freq / kSampleRate;
        if (vibrato_depth > 0.0 && i > vibrato_start)
            step *= 1.0 + vibrato_depth *
                              sine(5.5 * static_cast<double>(i - vibrato_start) / kSampleRate);
        phase += step;
    }
}

const std::vector<float> &DrumKit::sound(Drum drum) const {
    switch (drum) {
    case Drum::Kick:
        return kick;
    case Drum::Snare:
        return snare;
    case Drum::Hat:
        return hat;
    case Drum::OpenHat:
        return open_hat;
    case Drum::Ride:
        return ride;
    case Drum::Crash:
        return crash;
    case Drum::TomHigh:
        return tom[0];
    case Drum::TomMid:
        return tom[1];
    case Drum::TomLow:
        return tom[2];
    case Drum::TomFloor:
        return tom[3];
    }
    return kick;
}

DrumKit make_drum_kit(uint32_t seed, bool tight) {
    Rng rng(seed);
    DrumKit kit;

    // Kick: a falling sine and a short, high click that stays above the lead's band.
    kit.kick = swept_sine(150.0, 48.0, 28.0, 380.0, 150.0);
    mix_into(kit.kick, noise_burst(rng, Biquad::highpass(4500.0, 0.7), 8.0, 1.5), 0.35f);

    // Snare: two body tones and bright noise.
    kit.snare = swept_sine(240.0, 185.0, 10.0, 260.0, tight ? 55.0 : 75.0);
    mix_into(kit.snare, swept_sine(360.0, 330.0, 10.0, 120.0, 30.0), 0.4f);
    mix_into(kit.snare, noise_burst(rng, Biquad::highpass(2600.0, 0.8), 260.0, tight ? 60.0 : 85.0),
             0.9f);

    kit.hat = noise_burst(rng, Biquad::highpass(7500.0, 0.8), 90.0, tight ? 14.0 : 22.0);
    kit.open_hat = noise_burst(rng, Biquad::highpass(7000.0, 0.8), 420.0, 130.0);

    // Ride: noise with a metallic ping well above the lead.
    kit.ride = noise_burst(rng, Biquad::highpass(6000.0, 0.8), 600.0, 170.0);
    {
        std::vector<float> ping(static_cast<size_t>(ms_samples(400.0)));
        for (size_t i = 0; i < ping.size(); ++i) {
            const double t = static_cast<double>(i) / kSampleRate;
            ping[i] = static_cast<float>((0.6 * sine(3950.0 * t) + 0.4 * sine(5230.0 * t)) *
                                         std::exp(-t / 0.12));
        }
        mix_into(kit.ride, ping, 0.25f);
    }
    kit.crash = noise_burst(rng, Biquad::highpass(4500.0, 0.7), 2200.0, 700.0);

    const double tom_hz[4] = {200.0, 155.0, 120.0, 92.0};
    for (int i = 0; i < 4; ++i)
        kit.tom[i] = swept_sine(tom_hz[i] * 1.5, tom_hz[i], 25.0, 360.0, 130.0);
    return kit;
}

} // namespace soundtrack
