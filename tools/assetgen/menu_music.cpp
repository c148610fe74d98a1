// The menu music: a 32-second rock loop (drums, bass, two rhythm guitars and a lead)
// in E minor at 120 beats a minute, encoded to MP3 with LAME. Sounds that ring past the
// end wrap round to the start so that the loop joins without a click.
#include <lame/lame.h>

#include <cmath>
#include <vector>

#include "families.h"
#include "synth.h"

namespace assetgen {

namespace {

constexpr int kBars = 16;
constexpr float kStep = 0.125f; // a sixteenth note at 120 bpm, in seconds
constexpr size_t kLen = static_cast<size_t>(kBars * 16 * kStep * kRate);

using Wave = std::vector<float>;

struct Stereo {
    Wave l = Wave(kLen, 0.0f), r = Wave(kLen, 0.0f);
    void add(const Wave &w, float at_seconds, float gain, float pan) {
        const size_t at = static_cast<size_t>(at_seconds * kRate);
        const float gl = gain * (1.0f - pan), gr = gain * (1.0f + pan);
        for (size_t i = 0; i < w.size(); ++i) {
            l[(at + i) % kLen] += w[i] * gl;
            r[(at + i) % kLen] += w[i] * gr;
        }
    }
};

Wave kick() {
    Wave w(static_cast<size_t>(0.3f * kRate));
    float phase = 0.0f;
    for (size_t i = 0; i < w.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        phase += (45.0f + 90.0f * std::exp(-t / 0.03f)) / kRate;
        w[i] = osc_sine(phase) * env(t, 0.001f, 0.12f);
    }
    return w;
}

Wave snare() {
    Wave w(static_cast<size_t>(0.22f * kRate));
    Noise n(3);
    LowPass lp;
    for (size_t i = 0; i < w.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float x = n.next();
        const float hiss = x - lp.run(x, 1200.0f);
        w[i] = hiss * env(t, 0.001f, 0.07f) + 0.5f * osc_sine(185.0f * t) * env(t, 0.001f, 0.04f);
    }
    return w;
}

Wave hat(float decay) {
    Wave w(static_cast<size_t>(decay * 6 * kRate));
    Noise n(5);
    LowPass lp;
    for (size_t i = 0; i < w.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float x = n.next();
        w[i] = (x - lp.run(x, 6000.0f)) * env(t, 0.0005f, decay);
    }
    return w;
}

Wave bass_note(int midi, float seconds) {
    Wave w(static_cast<size_t>(seconds * kRate));
    LowPass lp;
    const float hz = note_hz(midi);
    for (size_t i = 0; i < w.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        const float x = 0.6f * osc_saw(hz * t) + 0.4f * osc_square(hz * t);
        w[i] = lp.run(x, 500.0f + 900.0f * env(t, 0.005f, 0.06f)) * env(t, 0.004f, 0.5f) *
               std::min(1.0f, (seconds - t) * 100.0f);
    }
    return w;
}

// A distorted power chord (root, fifth, octave); short ones are palm-muted chugs.
Wave power_chord(int root, float seconds, float detune) {
    Wave w(static_cast<size_t>(seconds * kRate));
    LowPass lp, tone;
    for (size_t i = 0; i < w.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        float x = 0.0f;
        for (int iv : {0, 7, 12})
            x += osc_saw(note_hz(root + iv) * (1.0f + detune) * t);
        const float drive = std::tanh(lp.run(x, 2500.0f) * 3.0f);
        w[i] = tone.run(drive, 3000.0f) * env(t, 0.003f, seconds * 0.8f) *
               std::min(1.0f, (seconds - t) * 150.0f);
    }
    return w;
}

Wave lead_note(int midi, float seconds) {
    Wave w(static_cast<size_t>(seconds * kRate));
    LowPass lp;
    float phase = 0.0f;
    const float hz = note_hz(midi);
    for (size_t i = 0; i < w.size(); ++i) {
        const float t = static_cast<float>(i) / kRate;
        phase += hz * (1.0f + 0.006f * std::sin(6.28f * 5.0f * t) * std::min(1.0f, t * 4)) / kRate;
        const float x = osc_square(phase, 0.3f) * 0.6f + osc_tri(phase) * 0.4f;
        w[i] = lp.run(x, 3200.0f) * std::min(1.0f, t * 150) * (0.75f + 0.25f * env(t, 0.0f, 0.2f)) *
               std::min(1.0f, (seconds - t) * 60.0f);
    }
    return w;
}

struct Note {
    int bar, step, len, midi;
};

// E minor pentatonic tune over bars 8..15; the chords run E minor, C, G, D each cycle.
const Note kTune[] = {
    {8, 0, 4, 76},  {8, 4, 2, 74},   {8, 6, 2, 71},   {8, 8, 4, 67},   {8, 12, 2, 69},
    {8, 14, 2, 71}, {9, 0, 6, 72},   {9, 6, 2, 71},   {9, 8, 4, 67},   {9, 12, 4, 64},
    {10, 0, 4, 74}, {10, 4, 2, 71},  {10, 6, 2, 74},  {10, 8, 6, 79},  {10, 14, 2, 78},
    {11, 0, 4, 78}, {11, 4, 2, 76},  {11, 6, 2, 74},  {11, 8, 8, 69},  {12, 0, 4, 76},
    {12, 4, 2, 74}, {12, 6, 2, 71},  {12, 8, 4, 67},  {12, 12, 2, 69}, {12, 14, 2, 71},
    {13, 0, 4, 72}, {13, 4, 4, 76},  {13, 8, 4, 79},  {13, 12, 4, 76}, {14, 0, 4, 74},
    {14, 4, 4, 71}, {14, 8, 4, 67},  {14, 12, 4, 71}, {15, 0, 4, 69},  {15, 4, 4, 74},
    {15, 8, 6, 78}, {15, 14, 2, 76},
};

Stereo arrange() {
    Stereo s;
    const Wave k = kick(), sn = snare(), ch = hat(0.025f), oh = hat(0.09f);
    const int bass_root[4] = {40, 36, 43, 38};
    const int gtr_root[4] = {52, 48, 55, 50};
    const int bass_pat[8] = {0, 0, 12, 0, 0, 12, 0, 7};
    for (int bar = 0; bar < kBars; ++bar) {
        const float t0 = bar * 16 * kStep;
        const int chord = bar % 4;
        for (int st = 0; st < 16; ++st) {
            const float t = t0 + st * kStep;
            const bool fill = bar == kBars - 1 && st >= 12;
            if (st == 0 || st == 8 || (bar >= 4 && st == 10)) s.add(k, t, 0.9f, 0.0f);
            if (st == 4 || st == 12 || fill) s.add(sn, t, fill ? 0.45f : 0.55f, 0.05f);
            if (st % 2 == 0 && !fill) s.add(st == 14 && bar % 2 ? oh : ch, t, 0.18f, -0.3f);
        }
        for (int e = 0; e < 8; ++e)
            s.add(bass_note(bass_root[chord] + bass_pat[e], 2 * kStep * 0.9f), t0 + e * 2 * kStep,
                  0.45f, 0.0f);
        if (bar >= 4) {
            s.add(power_chord(gtr_root[chord], 6 * kStep, 0.0f), t0, 0.16f, -0.7f);
            s.add(power_chord(gtr_root[chord], 6 * kStep, 0.004f), t0, 0.16f, 0.7f);
            for (int e = 3; e < 8; ++e) {
                s.add(power_chord(gtr_root[chord], kStep * 1.2f, 0.0f), t0 + e * 2 * kStep, 0.12f,
                      -0.7f);
                s.add(power_chord(gtr_root[chord], kStep * 1.2f, 0.004f), t0 + e * 2 * kStep, 0.12f,
                      0.7f);
            }
        }
    }
    for (const Note &n : kTune)
        s.add(lead_note(n.midi, n.len * kStep * 0.95f), (n.bar * 16 + n.step) * kStep, 0.3f, 0.1f);
    return s;
}

} // namespace

// Removes the offset that the lead's narrow pulse leaves. The filter runs over the loop
// twice and keeps the second pass, so its state at the start is the one the end leaves:
// the repeat joins without a step.
void remove_dc(Wave &w) {
    float x1 = 0.0f, y1 = 0.0f;
    for (int pass = 0; pass < 2; ++pass) {
        for (float &v : w) {
            const float y = v - x1 + 0.995f * y1;
            x1 = v;
            y1 = y;
            if (pass == 1) v = y;
        }
    }
}

void make_menu_music(Output &out) {
    Stereo s = arrange();
    remove_dc(s.l);
    remove_dc(s.r);
    float peak = 0.0f;
    for (size_t i = 0; i < kLen; ++i)
        peak = std::max(peak, std::max(std::fabs(s.l[i]), std::fabs(s.r[i])));
    const float gain = peak > 0.0f ? 0.89f / peak : 1.0f;
    std::vector<short> left(kLen), right(kLen);
    for (size_t i = 0; i < kLen; ++i) {
        left[i] = to_s16(s.l[i] * gain);
        right[i] = to_s16(s.r[i] * gain);
    }

    lame_global_flags *gf = lame_init();
    if (!gf) return out.fail("audio/menu1.mp3");
    lame_set_in_samplerate(gf, kRate);
    lame_set_out_samplerate(gf, kRate);
    lame_set_num_channels(gf, 2);
    lame_set_mode(gf, JOINT_STEREO);
    lame_set_brate(gf, 64);
    lame_set_quality(gf, 5);
    lame_set_bWriteVbrTag(gf, 0);
    if (lame_init_params(gf) < 0) {
        lame_close(gf);
        return out.fail("audio/menu1.mp3");
    }
    std::vector<unsigned char> mp3(kLen * 5 / 4 + 7200);
    const int n = lame_encode_buffer(gf, left.data(), right.data(), static_cast<int>(kLen),
                                     mp3.data(), static_cast<int>(mp3.size()));
    const int m =
        n < 0 ? -1 : lame_encode_flush(gf, mp3.data() + n, static_cast<int>(mp3.size()) - n);
    lame_close(gf);
    if (n < 0 || m < 0) return out.fail("audio/menu1.mp3");
    out.bytes("audio/menu1.mp3", mp3.data(), static_cast<size_t>(n + m));
}

} // namespace assetgen
