// Vorbis decoding and pitch-band onset detection.
#include "onsets.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <complex>

namespace soundtrack {

bool read_ogg_vorbis(const std::string &path, Audio &out, std::string &error) {
    OggVorbis_File vf;
    if (ov_fopen(path.c_str(), &vf) != 0) {
        error = "cannot open " + path + " as Ogg Vorbis";
        return false;
    }
    const vorbis_info *vi = ov_info(&vf, -1);
    if (!vi || vi->channels < 1) {
        ov_clear(&vf);
        error = "no stream in " + path;
        return false;
    }
    out.rate = static_cast<int>(vi->rate);
    out.samples.clear();
    const int channels = vi->channels;
    int section = 0;
    for (;;) {
        float **pcm = nullptr;
        const long n = ov_read_float(&vf, &pcm, 4096, &section);
        if (n == 0) break;
        if (n < 0) {
            ov_clear(&vf);
            error = "damaged data in " + path;
            return false;
        }
        // A chained file could change its layout; only the first stream's is trusted.
        const vorbis_info *now = ov_info(&vf, -1);
        const int ch = now ? std::min(now->channels, channels) : 1;
        for (long i = 0; i < n; ++i) {
            float sum = 0.0f;
            for (int c = 0; c < ch; ++c)
                sum += pcm[c][i];
            out.samples.push_back(sum / static_cast<float>(ch));
        }
    }
    ov_clear(&vf);
    return true;
}

double ogg_duration_ms(const std::string &path) {
    OggVorbis_File vf;
    if (ov_fopen(path.c_str(), &vf) != 0) return -1.0;
    const double seconds = ov_time_total(&vf, -1);
    ov_clear(&vf);
    return seconds < 0 ? -1.0 : seconds * 1000.0;
}

std::vector<float> tone_level(const std::vector<float> &x, int rate, double freq_hz, int hop) {
    std::vector<float> level;
    if (rate <= 0 || hop <= 0 || x.empty()) return level;
    const long box = (static_cast<long>(0.013 * rate) / 2) * 2 + 1; // odd: the centre is a sample
    const long delay = 3 * (box - 1) / 2;
    const long n_total = static_cast<long>(x.size());

    using C = std::complex<double>;
    std::vector<C> ring1(static_cast<size_t>(box)), ring2(static_cast<size_t>(box)),
        ring3(static_cast<size_t>(box));
    C s1, s2, s3;
    const double w = -2.0 * 3.14159265358979323846 * freq_hz / rate;
    const C step(std::cos(w), std::sin(w));
    C rot(1.0, 0.0);
    const double scale = 1.0 / (static_cast<double>(box) * box * box);

    level.reserve(static_cast<size_t>(n_total / hop + 1));
    for (long n = 0; n < n_total + delay; ++n) {
        const C z = n < n_total ? static_cast<double>(x[static_cast<size_t>(n)]) * rot : C();
        rot *= step;
        if ((n & 1023) == 0) rot /= std::abs(rot); // keep the rotator on the unit circle
        const size_t slot = static_cast<size_t>(n % box);
        s1 += z - ring1[slot];
        ring1[slot] = z;
        s2 += s1 - ring2[slot];
        ring2[slot] = s1;
        s3 += s2 - ring3[slot];
        ring3[slot] = s2;
        const long centre = n - delay;
        if (centre >= 0 && centre % hop == 0)
            level.push_back(static_cast<float>(2.0 * std::abs(s3) * scale));
    }
    return level;
}

std::vector<double> tone_onsets(const std::vector<float> &x, int rate, double freq_hz) {
    std::vector<double> onsets;
    const int hop = std::max(1, rate / 1000);
    const std::vector<float> level = tone_level(x, rate, freq_hz, hop);
    if (level.empty()) return onsets;
    const float loudest = *std::max_element(level.begin(), level.end());
    if (loudest <= 0.0f) return onsets;
    // A note starting in a neighbouring lane splashes up to a quarter of a note's level here.
    const float floor = 0.4f * loudest;
    const float delta = 0.05f * loudest; // wiggles smaller than this are not turns
    const float rise = 3.16f;            // 10 dB

    // Walk the level, alternating between looking for a low and a peak; a turn counts
    // once the level has moved `delta` away from it.
    size_t low_at = 0, peak_at = 0;
    float low = level[0], peak = level[0];
    bool rising = true;
    for (size_t k = 1; k < level.size(); ++k) {
        const float v = level[k];
        if (rising) {
            if (v > peak) {
                peak = v;
                peak_at = k;
            } else if (v < peak - delta) {
                if (peak >= floor && peak >= rise * low) {
                    const float half = low + 0.5f * (peak - low);
                    size_t i = low_at;
                    while (i < peak_at && level[i + 1] < half)
                        ++i;
                    // level[i] < half <= level[i + 1]: interpolate between them
                    const float a = level[i], b = level[std::min(i + 1, peak_at)];
                    const double frac = b > a ? (half - a) / (b - a) : 0.0;
                    onsets.push_back((static_cast<double>(i) + frac) * hop * 1000.0 / rate);
                }
                rising = false;
                low = v;
                low_at = k;
            }
        } else {
            if (v < low) {
                low = v;
                low_at = k;
            } else if (v > low + delta) {
                rising = true;
                peak = v;
                peak_at = k;
            }
        }
    }
    return onsets;
}

double nearest_onset(const std::vector<double> &onsets, double ms) {
    auto it = std::lower_bound(onsets.begin(), onsets.end(), ms);
    double best = ms + 1e9;
    if (it != onsets.end()) best = *it;
    if (it != onsets.begin() && std::fabs(*(it - 1) - ms) < std::fabs(best - ms)) best = *(it - 1);
    return best;
}

} // namespace soundtrack
