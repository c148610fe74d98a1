// Synthesis kit: oscillators, noise, filter, envelope and the WAV encoder.
#include "synth.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

constexpr float kTau = 6.2831853f;

void put_le(std::vector<uint8_t> &out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>((v >> (8 * i)) & 0xff));
}

} // namespace

float note_hz(int midi) { return 440.0f * std::pow(2.0f, (midi - 69) / 12.0f); }

float osc_sine(float phase) { return std::sin(kTau * phase); }

float osc_saw(float phase) { return 2.0f * (phase - std::floor(phase)) - 1.0f; }

float osc_square(float phase, float duty) {
    return (phase - std::floor(phase)) < duty ? 1.0f : -1.0f;
}

float osc_tri(float phase) {
    const float p = phase - std::floor(phase);
    return p < 0.5f ? 4.0f * p - 1.0f : 3.0f - 4.0f * p;
}

float Noise::next() {
    s_ = s_ * 1664525u + 1013904223u;
    return static_cast<float>(s_ >> 8) / 8388608.0f - 1.0f;
}

float LowPass::run(float x, float cutoff) {
    const float a = 1.0f - std::exp(-kTau * cutoff / kRate);
    y_ += a * (x - y_);
    return y_;
}

float env(float t, float attack, float decay) {
    if (t < 0.0f) return 0.0f;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / decay);
}

void mix_into(std::vector<float> &dst, const std::vector<float> &src, size_t at, float gain) {
    if (dst.size() < at + src.size()) dst.resize(at + src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i)
        dst[at + i] += src[i] * gain;
}

void normalize(std::vector<float> &s, float peak) {
    float m = 0.0f;
    for (float v : s)
        m = std::max(m, std::fabs(v));
    if (m <= 0.0f) return;
    for (float &v : s)
        v *= peak / m;
}

int16_t to_s16(float v) {
    return static_cast<int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
}

std::vector<uint8_t> wav_bytes(const std::vector<float> &samples, int channels) {
    const uint32_t data = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + data);
    const char *riff = "RIFF", *wave = "WAVEfmt ", *dat = "data";
    out.insert(out.end(), riff, riff + 4);
    put_le(out, 36 + data, 4);
    out.insert(out.end(), wave, wave + 8);
    put_le(out, 16, 4); // fmt chunk size
    put_le(out, 1, 2);  // PCM
    put_le(out, static_cast<uint32_t>(channels), 2);
    put_le(out, kRate, 4);
    put_le(out, static_cast<uint32_t>(kRate * channels * 2), 4); // bytes per second
    put_le(out, static_cast<uint32_t>(channels * 2), 2);         // block align
    put_le(out, 16, 2);                                          // bits per sample
    out.insert(out.end(), dat, dat + 4);
    put_le(out, data, 4);
    for (float v : samples)
        put_le(out, static_cast<uint16_t>(to_s16(v)), 2);
    return out;
}

} // namespace assetgen
