// The eight sound effects, synthesized as 22050 Hz mono 16-bit WAV files.
#include <cmath>
#include <string>
#include <vector>

#include "families.h"
#include "synth.h"

namespace assetgen {

namespace {

using Wave = std::vector<float>;

Wave silence(float seconds) { return Wave(static_cast<size_t>(seconds * kRate), 0.0f); }

float secs(size_t i) { return static_cast<float>(i) / kRate; }

// A bell-like ping: sine with two inharmonic partials, decaying.
Wave bell(float hz, float seconds, float decay) {
    Wave w = silence(seconds);
    for (size_t i = 0; i < w.size(); ++i) {
        const float t = secs(i);
        w[i] = (osc_sine(hz * t) + 0.4f * osc_sine(hz * 2.76f * t) * env(t, 0.001f, decay * 0.4f) +
                0.2f * osc_sine(hz * 5.4f * t) * env(t, 0.001f, decay * 0.2f)) *
               env(t, 0.002f, decay);
    }
    return w;
}

// A brassy note: saw through a filter that opens with the attack.
Wave brass(float hz, float seconds, float vibrato) {
    Wave w = silence(seconds);
    LowPass lp;
    for (size_t i = 0; i < w.size(); ++i) {
        const float t = secs(i);
        const float f = hz * (1.0f + vibrato * std::sin(6.28f * 5.5f * t) * std::min(1.0f, t * 3));
        const float body = osc_saw(f * t) + 0.5f * osc_saw(f * 1.003f * t);
        const float open = 600.0f + 2600.0f * env(t, 0.04f, 0.4f);
        const float fade = std::min(1.0f, (seconds - t) * 20.0f);
        w[i] = lp.run(body, open) * std::min(1.0f, t * 40) * fade;
    }
    return w;
}

Wave click() {
    Wave w = silence(0.045f);
    Noise n(7);
    for (size_t i = 0; i < w.size(); ++i) {
        const float t = secs(i);
        w[i] = osc_sine(1700.0f * t) * env(t, 0.0005f, 0.008f) +
               n.next() * env(t, 0.0f, 0.002f) * 0.6f;
    }
    return w;
}

Wave chime() {
    Wave w;
    mix_into(w, bell(1318.5f, 0.35f, 0.12f), 0, 0.6f);
    mix_into(w, bell(1975.5f, 0.30f, 0.12f), static_cast<size_t>(0.07f * kRate), 0.6f);
    return w;
}

Wave blip_down() {
    Wave w = silence(0.16f);
    LowPass lp;
    float phase = 0.0f;
    for (size_t i = 0; i < w.size(); ++i) {
        const float t = secs(i);
        phase += (520.0f - 260.0f * std::min(1.0f, t / 0.12f)) / kRate;
        w[i] = lp.run(osc_square(phase), 2500.0f) * env(t, 0.003f, 0.07f);
    }
    return w;
}

Wave boom() {
    Wave w = silence(1.0f);
    Noise n(11);
    LowPass lp;
    float phase = 0.0f;
    for (size_t i = 0; i < w.size(); ++i) {
        const float t = secs(i);
        phase += (35.0f + 70.0f * std::exp(-t / 0.15f)) / kRate;
        const float rumble = lp.run(n.next(), 300.0f + 2000.0f * std::exp(-t / 0.05f));
        w[i] = osc_sine(phase) * env(t, 0.002f, 0.35f) + rumble * env(t, 0.001f, 0.25f) * 1.5f;
    }
    return w;
}

Wave buzz() {
    Wave w = silence(0.22f);
    for (size_t i = 0; i < w.size(); ++i) {
        const float t = secs(i);
        const float raw = osc_saw(98.0f * t) + osc_saw(104.0f * t) + 0.5f * osc_square(49.0f * t);
        w[i] =
            std::tanh(raw * 2.0f) * std::min(1.0f, (0.22f - t) * 30.0f) * std::min(1.0f, t * 200);
    }
    return w;
}

Wave sparkle() {
    Wave w;
    const int notes[6] = {84, 88, 91, 96, 100, 103};
    for (int k = 0; k < 6; ++k)
        mix_into(w, bell(note_hz(notes[k]), 0.25f, 0.08f), static_cast<size_t>(k * 0.045f * kRate),
                 0.5f);
    return w;
}

Wave fanfare() {
    Wave w;
    const int lead[4] = {67, 72, 76, 79};
    for (int k = 0; k < 4; ++k)
        mix_into(w, brass(note_hz(lead[k]), 0.16f, 0.0f), static_cast<size_t>(k * 0.13f * kRate),
                 0.5f);
    const size_t hold = static_cast<size_t>(0.52f * kRate);
    for (int n : {60, 64, 67, 72})
        mix_into(w, brass(note_hz(n), 0.9f, 0.006f), hold, 0.3f);
    return w;
}

Wave downer() {
    Wave w;
    const int notes[4] = {55, 54, 53, 52};
    for (int k = 0; k < 4; ++k) {
        const float len = k == 3 ? 1.0f : 0.34f;
        mix_into(w, brass(note_hz(notes[k]), len, k == 3 ? 0.02f : 0.004f),
                 static_cast<size_t>(k * 0.38f * kRate), 0.6f);
    }
    return w;
}

} // namespace

void make_effects(Output &out) {
    const struct {
        const char *name;
        Wave wave;
    } effects[] = {
        {"ERRO4", buzz()},        {"ESTRELA_MAIS", sparkle()}, {"PTPOWER", fanfare()},
        {"PTRUIM", downer()},     {"BATIDA", click()},         {"ACEITA", chime()},
        {"CANCELA", blip_down()}, {"EXPLOSAO", boom()},
    };
    for (const auto &e : effects) {
        Wave w = e.wave;
        // The miss buzz repeats on every frame that shows a miss, so it stays quieter.
        normalize(w, std::string(e.name) == "ERRO4" ? 0.45f : 0.8f);
        const std::vector<uint8_t> bytes = wav_bytes(w, 1);
        out.bytes(std::string("audio/") + e.name + ".wav", bytes.data(), bytes.size());
    }
}

} // namespace assetgen
