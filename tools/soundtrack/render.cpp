// Mixes the three parts of a song and brings the result to a fixed peak level.
#include "render.h"

#include "parts.h"
#include "timing.h"

#include <algorithm>
#include <cmath>

namespace soundtrack {

namespace {
constexpr float kPeak = 0.89f; // about -1 dBFS, leaving the encoder some headroom
constexpr int kFadeMs = 1500;  // fade at the very end of the tail
} // namespace

std::vector<float> render_song(const SongSound &song, const std::vector<LeadNote> &notes) {
    Mix mix;
    mix.samples.assign(static_cast<size_t>(std::max(0L, song_samples(song))), 0.0f);
    add_rhythm(mix, song);
    add_lead(mix, song, notes);

    std::vector<float> &out = mix.samples;
    const long fade = std::min(static_cast<long>(out.size()), 1L * kFadeMs * kSampleRate / 1000);
    for (long i = 0; i < fade; ++i)
        out[out.size() - 1 - static_cast<size_t>(i)] *=
            static_cast<float>(i) / static_cast<float>(fade);

    float peak = 0.0f;
    for (float s : out)
        peak = std::max(peak, std::fabs(s));
    if (peak > 0.0f) {
        const float gain = kPeak / peak;
        for (float &s : out)
            s *= gain;
    }
    return out;
}

} // namespace soundtrack
